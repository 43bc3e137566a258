// Prints a shell link's properties on one line, for the installer test.
// Usage: read_link <file.lnk>
#include <filesystem>
#include <iostream>

#include "shell_link_win.h"

int main(int argc, char** argv) {
    const auto link =
        argc == 2 ? ReadShellLink(std::filesystem::path(argv[1]).wstring()) : std::nullopt;
    if (link) std::wcout << *link << L'\n';
    return link ? 0 : 1;
}
