#include "win/module_path.h"

#include <windows.h>

namespace win {

std::wstring ModulePath() {
    // A path that fills the buffer may have been cut: try again with more room,
    // up to the longest path the system knows.
    constexpr std::size_t kLongest = 32768;
    for (std::wstring path(MAX_PATH, L'\0'); path.size() <= kLongest;
         path.resize(path.size() * 2)) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
    }
    return {};
}

}  // namespace win
