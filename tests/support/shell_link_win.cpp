#include "shell_link_win.h"

#include <shlobj.h>

#include "win/handles.h"

std::optional<std::wstring> ReadShellLink(const std::wstring& file) {
    win::ComScope com;
    win::ComPtr<IShellLinkW> shell;
    win::ComPtr<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shell.PutVoid())) ||
        FAILED(shell->QueryInterface(IID_IPersistFile, persist.PutVoid())) ||
        FAILED(persist->Load(file.c_str(), STGM_READ)))
        return std::nullopt;
    wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, text[MAX_PATH] = {},
            icon[MAX_PATH] = {};
    int index = -1;
    // The target's item list: the names as the shell keeps them, in full. (Wine keeps the
    // path beside it in the ANSI code page only.)
    LPITEMIDLIST item = nullptr;
    if (SUCCEEDED(shell->GetIDList(&item)) && item) SHGetPathFromIDListW(item, target);
    CoTaskMemFree(item);
    shell->GetArguments(arguments, MAX_PATH);
    shell->GetDescription(text, MAX_PATH);
    shell->GetIconLocation(icon, MAX_PATH, &index);
    return std::wstring(target) + L'|' + arguments + L'|' + text + L'|' + icon + L',' +
           std::to_wstring(index);
}
