#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What a registry read delivered, turned into a setting. The store hands over
// the bytes it received (`delivered`, at most `bufferSize`); nothing past them
// is looked at, since the system may leave a string unterminated.

// A string setting, read as UTF-16 into a buffer of `bufferChars`
// characters: the characters up to the first zero, or all delivered ones
// when there is no zero. A value that fills the whole buffer without a zero
// has no room left for its terminator: it is too long, and not read.
std::optional<std::wstring> StringFromRegistry(const unsigned char* data, std::size_t delivered,
                                               std::size_t bufferChars);

// A 4-byte setting, little-endian and signed. Anything but exactly 4 bytes
// is not a value of this kind and counts as a failed read.
std::optional<int32_t> Int32FromRegistry(const unsigned char* data, std::size_t delivered);
