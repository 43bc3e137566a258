#include "shortcut/shortcut_paths.h"

namespace {

constexpr std::size_t kMaxPath = 260;  // bytes, terminator included

std::optional<std::string> Bounded(std::string path) {
    if (path.size() >= kMaxPath) return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::string> LogonShortcutTarget(std::string_view programPath) {
    // Drive and directory as _splitpath gives them: everything up to the last
    // separator, or the drive alone ("C:name.exe").
    std::size_t end = programPath.find_last_of("\\/");
    end = end == std::string_view::npos ? 0 : end + 1;
    if (end == 0 && programPath.size() >= 2 && programPath[1] == ':') end = 2;
    return Bounded(std::string(programPath.substr(0, end)) + "Velunda.exe");
}

std::optional<std::string> LogonShortcutFile(std::string_view startupFolder) {
    // An empty folder means the query gave nothing usable.
    if (startupFolder.empty()) return std::nullopt;
    return Bounded(std::string(startupFolder) + "\\Velunda.lnk");
}
