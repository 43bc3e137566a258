#include "settings/registry_value.h"

std::optional<std::wstring> StringFromRegistry(const unsigned char* data, std::size_t delivered,
                                               std::size_t bufferChars) {
    if (delivered > bufferChars * 2) return std::nullopt;
    // UTF-16 units, little-endian; an odd last byte is no character.
    std::wstring text;
    for (std::size_t i = 0; i + 1 < delivered; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
        if (unit == L'\0') return text;
        text += unit;
    }
    if (text.size() == bufferChars) return std::nullopt;
    return text;
}

std::optional<int32_t> Int32FromRegistry(const unsigned char* data, std::size_t delivered) {
    if (delivered != 4) return std::nullopt;
    const uint32_t value = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                           uint32_t{data[3]} << 24;
    return static_cast<int32_t>(value);
}
