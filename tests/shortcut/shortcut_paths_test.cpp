#include "shortcut/shortcut_paths.h"

#include <gtest/gtest.h>

// Both paths must fit in 259 bytes: 3 + 245 + 11 for the target, 247 + 12 for the file.
TEST(LogonShortcutPaths, VelundaExeBesideTheProgramAndLnkInTheFolderBothWithinMaxPath) {
    const std::string d = std::string(244, 'd') + "\\", f(247, 'f');
    using Paths = std::pair<std::string, std::optional<std::string>>;
    const Paths targets[] = {{"C:\\Prog\\copy.exe", "C:\\Prog\\Velunda.exe"},
                             {"C:/a b/c.d/x", "C:/a b/c.d/Velunda.exe"},
                             {"C:v.exe", "C:Velunda.exe"},
                             {"C:", "C:Velunda.exe"},
                             {"C:\\" + d + "v.exe", "C:\\" + d + "Velunda.exe"},
                             {"C:\\x" + d + "v.exe", std::nullopt}};
    for (const auto& [program, target] : targets) EXPECT_EQ(LogonShortcutTarget(program), target);
    EXPECT_EQ(LogonShortcutFile("C:\\u\\Startup"), "C:\\u\\Startup\\Velunda.lnk");
    EXPECT_EQ(LogonShortcutFile(f), f + "\\Velunda.lnk");
    EXPECT_EQ(LogonShortcutFile(f + 'f'), std::nullopt);
    EXPECT_EQ(LogonShortcutFile(""), std::nullopt);
}
