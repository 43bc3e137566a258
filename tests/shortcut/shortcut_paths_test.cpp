#include "shortcut/shortcut_paths.h"

#include <gtest/gtest.h>

#include <utility>

using Paths = std::pair<std::string, std::optional<std::string>>;

TEST(LogonShortcutPaths, VelundaExeBesideTheProgramAndLnkInTheFolderBothWithinMaxPath) {
    const std::string d245 = std::string(244, 'd') + "\\";  // 3 + 245 + 11 = 259 bytes fit
    for (const auto& [program, target] : {Paths{"C:\\Prog\\copy.exe", "C:\\Prog\\Velunda.exe"},
                                          {"C:/a b/c.d/x", "C:/a b/c.d/Velunda.exe"},
                                          {"\\\\srv\\share\\v.exe", "\\\\srv\\share\\Velunda.exe"},
                                          {"C:v.exe", "C:Velunda.exe"},
                                          {"C:", "C:Velunda.exe"},
                                          {"C:\\" + d245 + "v.exe", "C:\\" + d245 + "Velunda.exe"},
                                          {"C:\\x" + d245 + "v.exe", std::nullopt}})
        EXPECT_EQ(LogonShortcutTarget(program), target) << program;
    for (const auto& [folder, file] :
         {Paths{"C:\\u\\Startup", "C:\\u\\Startup\\Velunda.lnk"},
          {"", std::nullopt},
          {std::string(247, 'f'), std::string(247, 'f') + "\\Velunda.lnk"},
          {std::string(248, 'f'), std::nullopt}})
        EXPECT_EQ(LogonShortcutFile(folder), file) << folder.size();
}
