#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// List-file bytes spelled out by hand, independently of the program's writer:
// 32-bit little-endian integers and strings with a one-byte length prefix.
namespace listbytes {

inline std::string Le32(uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// A string shorter than 255 bytes: its length in one byte, then its bytes.
inline std::string Str(std::string_view s) { return char(s.size()) + std::string(s); }

// The version, the entry count and the rating sum.
inline std::string Header(uint32_t count, int32_t sum, std::string_view version = "1.0") {
    return Str(version) + Le32(count) + Le32(uint32_t(sum));
}

inline std::string Record(std::string_view path, std::string_view ext, int32_t rating) {
    return Str(path) + Str(ext) + Le32(uint32_t(rating));
}

}  // namespace listbytes
