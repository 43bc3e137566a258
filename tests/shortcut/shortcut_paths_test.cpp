#include "shortcut/shortcut_paths.h"

#include <gtest/gtest.h>

TEST(LogonShortcutPaths, VelundaExeBesideTheProgramAndLnkInTheFolderBothWithinMaxPath) {
    EXPECT_EQ(LogonShortcutTarget("C:\\Prog\\copy.exe"), "C:\\Prog\\Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("C:/a b/c.d/x"), "C:/a b/c.d/Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("\\\\srv\\share\\v.exe"), "\\\\srv\\share\\Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("C:v.exe"), "C:Velunda.exe");
    const std::string dir245 = std::string(244, 'd') + "\\";  // 3 + 245 + 11 = 259 bytes fit
    EXPECT_EQ(LogonShortcutTarget("C:\\" + dir245 + "copy.exe")->size(), 259u);
    EXPECT_EQ(LogonShortcutTarget("C:\\x" + dir245 + "v.exe"), std::nullopt);
    EXPECT_EQ(LogonShortcutFile("C:\\Users\\u\\Startup"), "C:\\Users\\u\\Startup\\Velunda.lnk");
    EXPECT_EQ(LogonShortcutFile(""), std::nullopt);
    EXPECT_EQ(LogonShortcutFile(std::string(247, 'f'))->size(), 259u);
    EXPECT_EQ(LogonShortcutFile(std::string(248, 'f')), std::nullopt);
}
