#include "list/entry_path_win.h"

#include <windows.h>

#include <climits>

std::optional<std::wstring> EntryPathToWide(std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    if (bytes.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), n) != n)
        return std::nullopt;
    return wide;
}

std::optional<std::string> EntryPathFromWide(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    if (wide.size() > INT_MAX / 4) return std::nullopt;
    // A UTF-8 code page takes neither the best-fit flag nor the used-default
    // check; the way back below catches what it would replace.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const used = utf8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide.data(), size, bytes.data(), n, nullptr, nullptr) !=
        n)
        return std::nullopt;
    // The bytes must read back as the very same characters.
    const auto back = EntryPathToWide(bytes);
    if (!back || *back != wide) return std::nullopt;
    return bytes;
}
