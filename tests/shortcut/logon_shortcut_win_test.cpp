// The logon shortcut, written by the shell and read back through it, under Wine.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/shell_link_win.h"
#include "shortcut/logon_shortcut_win.h"

namespace fs = std::filesystem;

TEST(LogonShortcut, OnPointsAtVelundaExeBesideTheProgramOffRemovesIt) {
    const std::string link = StartupShortcutPath();
    std::ofstream(link) << "not a shortcut";  // replaced
    UpdateLogonShortcut(true, nullptr);
    const std::string target = fs::path(_pgmptr).replace_filename("Velunda.exe").string();
    EXPECT_EQ(ReadShellLink(link), target + "|/startup|Velunda Application|" + target + ",0");
    UpdateLogonShortcut(false, nullptr);
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}
