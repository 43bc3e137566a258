// The logon shortcut, written by the shell and read back through it, under Wine.
#include <gtest/gtest.h>

#include <process.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "shell_link_win.h"
#include "shortcut/logon_shortcut_win.h"

namespace fs = std::filesystem;

// Not a test of its own: what the copy of this program started below does.
TEST(LogonShortcutChild, TurnOn) { UpdateLogonShortcut(true, nullptr); }

TEST(LogonShortcut, OnPointsAtVelundaExeBesideTheProgramOffRemovesIt) {
    const std::string link = StartupShortcutPath();
    std::ofstream(link) << "not a shortcut";  // replaced
    UpdateLogonShortcut(true, nullptr);
    const std::string target = fs::path(_pgmptr).replace_filename("Velunda.exe").string();
    EXPECT_EQ(ReadShellLink(link), target + "|/startup|Velunda Application|" + target + ",0");
    UpdateLogonShortcut(false, nullptr);
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    // A copy whose own path fits in 259 bytes, but not its folder with "Velunda.exe".
    std::ofstream(link) << "kept";
    const std::string base = fs::temp_directory_path().string() + "\\velunda-long";
    const std::string copy = base + '\\' + std::string(252 - base.size(), 'd') + "\\c.exe";
    fs::create_directories(fs::path(copy).parent_path());
    ASSERT_TRUE(CopyFileA(_pgmptr, copy.c_str(), FALSE)) << copy;
    EXPECT_EQ(_spawnl(_P_WAIT, copy.c_str(), copy.c_str(), "--gtest_filter=*Child.*", nullptr), 0);
    fs::remove_all(base);
    EXPECT_EQ(ReadShellLink(link), std::nullopt);  // still "kept"
    DeleteFileA(link.c_str());
}
