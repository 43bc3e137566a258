#include "settings/registry_value.h"

#include <cstring>

std::optional<std::string> StringFromRegistry(const char* data, std::size_t delivered,
                                              std::size_t bufferSize) {
    if (delivered > bufferSize) return std::nullopt;
    if (delivered == 0) return std::string();
    const void* zero = std::memchr(data, '\0', delivered);
    if (zero) return std::string(data, static_cast<const char*>(zero));
    if (delivered == bufferSize) return std::nullopt;
    return std::string(data, delivered);
}

std::optional<int32_t> Int32FromRegistry(const unsigned char* data, std::size_t delivered) {
    if (delivered != 4) return std::nullopt;
    const uint32_t value = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                           uint32_t{data[3]} << 24;
    return static_cast<int32_t>(value);
}
