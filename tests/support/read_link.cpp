// Prints a shell link's properties on one line in UTF-8, for the installer test.
// Usage: read_link <file.lnk>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "shell_link_win.h"

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const auto link = argv && argc == 2 ? ReadShellLink(argv[1]) : std::nullopt;
    if (!link) return 1;
    std::string text(link->size() * 3, '\0');
    text.resize(WideCharToMultiByte(CP_UTF8, 0, link->data(), int(link->size()), text.data(),
                                    int(text.size()), nullptr, nullptr));
    std::printf("%s\n", text.c_str());
    return 0;
}
