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

LSTATUS FailOnTimeType(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
    return name == L"TimeType"s ? 5 : RegSetValueExW(key, name, 0, type, data, size);
}

using LogonShortcut = Clean;

}  // namespace

// The program's save updates the shortcut only after every value was written; a failed write
// stops the save there.
TEST_F(LogonShortcut, OnPointsAtVelundaExeBesideTheProgramOffRemovesItAfterAWholeSave) {
    wchar_t startup[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, startup, CSIDL_STARTUP, TRUE);
    const std::wstring link = std::wstring(startup) + L"\\Velunda.lnk";
    std::ofstream(std::filesystem::path(link)) << "not a shortcut";  // replaced
    CWallpaperApp app;
    app.Startup = true;
    settings::SetValueWriter(FailOnTimeType);
    EXPECT_FALSE(app.SaveSettings());
    EXPECT_EQ((std::vector{Get(kVelunda, L"Startup"), Get(kVelunda, L"TimeType"),
                           Get(kVelunda, L"NumDays")}),
              (std::vector<Raw>{Dw(1), {}, {}}));
    EXPECT_EQ(ReadShellLink(link), std::nullopt);
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    const std::wstring target =
        std::filesystem::path(_wpgmptr).replace_filename("Velunda.exe").wstring();
    EXPECT_EQ(ReadShellLink(link), target + L"|/startup|Velunda Application|" + target + L",0");
    app.Startup = false;
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
}
