#include "shell_link_win.h"

#include <shlobj.h>

#include "win/handles.h"

std::optional<ShellLink> ReadShellLink(const std::string& file) {
    win::ComScope com;
    win::ComPtr<IShellLinkA> shell;
    win::ComPtr<IPersistFile> persist;
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH) ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shell.PutVoid())) ||
        FAILED(shell->QueryInterface(IID_IPersistFile, persist.PutVoid())) ||
        FAILED(persist->Load(wide, STGM_READ)))
        return std::nullopt;
    char text[4][MAX_PATH] = {};
    ShellLink link;
    shell->GetPath(text[0], MAX_PATH, nullptr, SLGP_RAWPATH);
    shell->GetArguments(text[1], MAX_PATH);
    shell->GetDescription(text[2], MAX_PATH);
    shell->GetIconLocation(text[3], MAX_PATH, &link.iconIndex);
    link.target = text[0], link.arguments = text[1], link.description = text[2],
    link.icon = text[3];
    return link;
}

std::string StartupShortcutPath() {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, TRUE);
    return std::string(folder) + "\\Velunda.lnk";
}
