#include "shortcut/logon_shortcut_win.h"

#include <shlobj.h>

#include "shortcut/shortcut_paths.h"
#include "win/handles.h"
#include "win/module_path.h"

namespace {

// The Startup folder's "Velunda.lnk", or nothing when the folder cannot be
// had or the path would not fit.
std::optional<std::wstring> ShortcutFile(HWND owner) {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(owner, folder, CSIDL_STARTUP, FALSE)) return std::nullopt;
    folder[MAX_PATH - 1] = L'\0';
    return LogonShortcutFile(folder);
}

}  // namespace

void UpdateLogonShortcut(bool startup, HWND owner) {
    if (!startup) {
        if (const auto file = ShortcutFile(owner)) DeleteFileW(file->c_str());
        return;
    }

    win::ComScope com;
    const std::wstring program = win::ModulePath();
    if (program.empty()) return;
    const auto target = LogonShortcutTarget(program);
    const auto file = ShortcutFile(owner);
    if (!target || !file) return;

    win::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid())))
        return;
    link->SetPath(target->c_str());
    link->SetDescription(L"Velunda Application");
    link->SetIconLocation(target->c_str(), 0);
    link->SetArguments(L"/startup");

    win::ComPtr<IPersistFile> persist;  // released before the link
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.PutVoid()))) return;
    persist->Save(file->c_str(), TRUE);
}
