// The wallpaper, stored by the system under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include "choice/choice_win.h"

TEST(ApplyWallpaper, SetsTheStoredWallpaperForBitmapsOnly) {
    for (const auto& [ext, applied] : {std::pair{"BMP", true}, {"jpg", false}}) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", REG_SZ, "none", 5);
        const std::string path = "C:\\fonds\\a." + std::string(ext);
        ApplyWallpaper(path, ext);
        char stored[MAX_PATH] = {};
        DWORD size = sizeof stored;
        RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, stored, &size);
        EXPECT_EQ(stored, applied ? path : "none") << ext;
    }
}
