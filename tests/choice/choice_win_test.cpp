// The wallpaper against the real system, under Wine.
#include <gtest/gtest.h>

#include "../e2e/harness.h"
#include "app/wallpaper_app.h"

TEST(ApplyWallpaper, SetsTheStoredWallpaperForBmpInAnyCaseOnly) {
    const std::string dir = e2e::MakeTempDir();
    std::string expected;
    // Every file is a bitmap: only the recorded extension decides.
    for (auto [ext, applied] : {std::pair{"bmp", true}, {"Bmp", true}, {"BMP", true}, {"jpg", false}, {"", false}}) {
        const std::string path = dir + "\\pic_" + ext + ".bmp";
        e2e::WriteBitmap(path);
        CWallpaperApp app;
        app.currentPath = path;
        app.currentExt = ext;
        app.ApplyWallpaper();
        if (applied) expected = path;
        char value[1024] = {};
        DWORD size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, value, &size);
        EXPECT_EQ(value, expected) << '"' << ext << '"';
    }
}
