#include "shortcut/shortcut_paths.h"

#include <gtest/gtest.h>

// Both paths must fit in 259 characters: 3 + 245 + 11 for the target, 247 + 12 for the file.
TEST(LogonShortcutPaths, VelundaExeBesideTheProgramAndLnkInTheFolderBothWithinMaxPath) {
    const std::wstring d = std::wstring(244, L'\u0142') + L"\\", f(247, L'f');
    using Paths = std::pair<std::wstring, std::optional<std::wstring>>;
    const Paths targets[] = {{L"C:\\Prog\\copy.exe", L"C:\\Prog\\Velunda.exe"},
                             {L"C:/a b/c.d/x", L"C:/a b/c.d/Velunda.exe"},
                             {L"C:v.exe", L"C:Velunda.exe"},
                             {L"C:", L"C:Velunda.exe"},
                             {L"C:\\" + d + L"v.exe", L"C:\\" + d + L"Velunda.exe"},
                             {L"C:\\x" + d + L"v.exe", std::nullopt}};
    for (const auto& [program, target] : targets) EXPECT_EQ(LogonShortcutTarget(program), target);
    EXPECT_EQ(LogonShortcutFile(L"C:\\u\\Startup"), L"C:\\u\\Startup\\Velunda.lnk");
    EXPECT_EQ(LogonShortcutFile(f), f + L"\\Velunda.lnk");
    EXPECT_EQ(LogonShortcutFile(f + L'f'), std::nullopt);
    EXPECT_EQ(LogonShortcutFile(L""), std::nullopt);
}
