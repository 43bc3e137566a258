// Prints a shell link's properties on one line, for the installer test.
// Usage: read_link <file.lnk>
#include <iostream>

#include "shell_link_win.h"

int main(int argc, char** argv) {
    const auto link = argc == 2 ? ReadShellLink(argv[1]) : std::nullopt;
    if (link) std::cout << *link << '\n';
    return link ? 0 : 1;
}
