#include "shortcut/logon_shortcut_win.h"

#include <shlobj.h>

#include "shortcut/shortcut_paths.h"
#include "win/handles.h"

namespace {

// The Startup folder's "Velunda.lnk", or nothing when the folder cannot be
// had or the path would not fit.
std::optional<std::string> ShortcutFile(HWND owner) {
    char folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(owner, folder, CSIDL_STARTUP, FALSE)) return std::nullopt;
    folder[MAX_PATH - 1] = '\0';
    return LogonShortcutFile(folder);
}

}  // namespace

void UpdateLogonShortcut(bool startup, HWND owner) {
    if (!startup) {
        if (const auto file = ShortcutFile(owner)) DeleteFileA(file->c_str());
        return;
    }

    win::ComScope com;
    char program[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;  // failed or truncated
    const auto target = LogonShortcutTarget(std::string(program, length));
    const auto file = ShortcutFile(owner);
    if (!target || !file) return;

    win::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid())))
        return;
    link->SetPath(target->c_str());
    link->SetDescription("Velunda Application");
    link->SetIconLocation(target->c_str(), 0);
    link->SetArguments("/startup");

    win::ComPtr<IPersistFile> persist;  // released before the link
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.PutVoid()))) return;
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, file->c_str(), -1, widePath, MAX_PATH) == 0) return;
    persist->Save(widePath, TRUE);
}
