#include "shell_link_win.h"

#include <shlobj.h>

#include "win/handles.h"

std::optional<std::string> ReadShellLink(const std::string& file) {
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
    char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, text[MAX_PATH] = {}, icon[MAX_PATH] = {};
    int index = -1;
    shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    shell->GetArguments(arguments, MAX_PATH);
    shell->GetDescription(text, MAX_PATH);
    shell->GetIconLocation(icon, MAX_PATH, &index);
    return std::string(target) + '|' + arguments + '|' + text + '|' + icon + ',' +
           std::to_string(index);
}
