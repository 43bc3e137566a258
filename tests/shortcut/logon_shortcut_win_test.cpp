// The logon shortcut, written by the shell and read back through it, under Wine.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/wallpaper_app.h"
#include "settings/settings_seams_win.h"
#include "support/registry.h"
#include "support/shell_link_win.h"

using namespace reg;
using namespace std::string_literals;

namespace {

LSTATUS FailOnTimeType(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    return name == "TimeType"s ? 5 : RegSetValueExA(key, name, 0, type, data, size);
}

struct LogonShortcut : Clean {
    void TearDown() override { settings::SetValueWriter(nullptr), Clean::TearDown(); }
};

}  // namespace

// The program's save updates the shortcut only after every value was written; a failed write
// stops the save there.
TEST_F(LogonShortcut, OnPointsAtVelundaExeBesideTheProgramOffRemovesItAfterAWholeSave) {
    char startup[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE);
    const std::string link = std::string(startup) + "\\Velunda.lnk";
    std::ofstream(link) << "not a shortcut";  // replaced
    CWallpaperApp app;
    app.Startup = true;
    settings::SetValueWriter(FailOnTimeType);
    EXPECT_FALSE(app.SaveSettings());
    EXPECT_EQ((std::vector{Get(kVelunda, "Startup"), Get(kVelunda, "TimeType"),
                           Get(kVelunda, "NumDays")}),
              (std::vector<Raw>{Dw(1), {}, {}}));
    EXPECT_EQ(ReadShellLink(link), std::nullopt);
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    const std::string target =
        std::filesystem::path(_pgmptr).replace_filename("Velunda.exe").string();
    EXPECT_EQ(ReadShellLink(link), target + "|/startup|Velunda Application|" + target + ",0");
    app.Startup = false;
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}
