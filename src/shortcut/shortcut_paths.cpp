#include "shortcut/shortcut_paths.h"

namespace {

constexpr std::size_t kMaxPath = 260;  // characters, terminator included

std::optional<std::wstring> Bounded(std::wstring path) {
    if (path.size() >= kMaxPath) return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::wstring> LogonShortcutTarget(std::wstring_view programPath) {
    // Drive and directory as _splitpath gives them: everything up to the last
    // separator, or the drive alone ("C:name.exe").
    std::size_t end = programPath.find_last_of(L"\\/");
    end = end == std::wstring_view::npos ? 0 : end + 1;
    if (end == 0 && programPath.size() >= 2 && programPath[1] == L':') end = 2;
    return Bounded(std::wstring(programPath.substr(0, end)) + L"Velunda.exe");
}

std::optional<std::wstring> LogonShortcutFile(std::wstring_view startupFolder) {
    // An empty folder means the query gave nothing usable.
    if (startupFolder.empty()) return std::nullopt;
    return Bounded(std::wstring(startupFolder) + L"\\Velunda.lnk");
}
