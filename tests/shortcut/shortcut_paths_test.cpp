#include "shortcut/shortcut_paths.h"

#include <gtest/gtest.h>

TEST(LogonShortcutTarget, VelundaExeInTheProgramsOwnDirectory) {
    EXPECT_EQ(LogonShortcutTarget("C:\\Prog\\Velunda.exe"), "C:\\Prog\\Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("C:\\Prog\\copy.exe"), "C:\\Prog\\Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("D:\\Velunda.exe"), "D:\\Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("C:/a b/c.d/x"), "C:/a b/c.d/Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("\\\\srv\\share\\v.exe"), "\\\\srv\\share\\Velunda.exe");
    EXPECT_EQ(LogonShortcutTarget("C:v.exe"), "C:Velunda.exe");
}

TEST(LogonShortcutTarget, MustFitMaxPathWithItsTerminator) {
    // 3 + 245 + 11 = 259 bytes fit; one more does not.
    const std::string dir245 = std::string(244, 'd') + "\\";
    EXPECT_EQ(LogonShortcutTarget("C:\\" + dir245 + "copy.exe")->size(), 259u);
    EXPECT_EQ(LogonShortcutTarget("C:\\x" + dir245 + "copy.exe"), std::nullopt);
    EXPECT_EQ(LogonShortcutTarget("C:\\x" + dir245 + "v.exe"), std::nullopt);
}

TEST(LogonShortcutFile, VelundaLnkInTheFolderAndBounded) {
    EXPECT_EQ(LogonShortcutFile("C:\\Users\\u\\Startup"), "C:\\Users\\u\\Startup\\Velunda.lnk");
    EXPECT_EQ(LogonShortcutFile(""), std::nullopt);
    EXPECT_EQ(LogonShortcutFile(std::string(247, 'f'))->size(), 259u);
    EXPECT_EQ(LogonShortcutFile(std::string(248, 'f')), std::nullopt);
}
