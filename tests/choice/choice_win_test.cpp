// The draw and the wallpaper against the real system, under Wine.
#include <gtest/gtest.h>

#include <fstream>

#include "app/wallpaper_app.h"

namespace {

const char* const kDesktopKey = "Control Panel\\Desktop";

std::string TempDir() {
    char base[MAX_PATH] = {}, dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    GetTempFileNameA(base, "vch", 0, dir);  // a unique name; made a folder below
    DeleteFileA(dir);
    CreateDirectoryA(dir, nullptr);
    return dir;
}

// A 1 x 1, 24-bit bitmap.
void WriteBitmap(const std::string& path) {
    const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                   40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,
                                   0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
                                   0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0x40, 0x80, 0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

std::string StoredWallpaper() {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "<none>";
    return value;
}

void StoreWallpaper(const std::string& path) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", REG_SZ, path.c_str(),
                    static_cast<DWORD>(path.size() + 1));
}

}  // namespace

TEST(ApplyWallpaper, SetsTheStoredWallpaperForBmpInAnyCase) {
    const std::string dir = TempDir();
    for (const char* ext : {"bmp", "Bmp", "BMP"}) {
        const std::string path = dir + "\\pic_" + ext + ".bmp";
        WriteBitmap(path);
        CWallpaperApp app;
        app.currentPath = path;
        app.currentExt = ext;
        app.ApplyWallpaper();
        EXPECT_EQ(StoredWallpaper(), path) << ext;
        EXPECT_EQ(app.currentPath, path);
    }
}

TEST(ApplyWallpaper, LeavesTheWallpaperForOtherExtensions) {
    const std::string dir = TempDir();
    const std::string before = dir + "\\before.bmp";
    WriteBitmap(before);
    StoreWallpaper(before);
    for (const char* ext : {"jpg", ""}) {
        const std::string path = dir + "\\other.bmp";  // a bitmap, but not by its extension
        WriteBitmap(path);
        CWallpaperApp app;
        app.currentPath = path;
        app.currentExt = ext;
        app.ApplyWallpaper();
        EXPECT_EQ(StoredWallpaper(), before) << '"' << ext << '"';
    }
}

TEST(ChooseWallpaper, DropsFilesThatDoNotOpenInMemoryOnly) {
    const std::string dir = TempDir();
    const std::string good = dir + "\\good.bmp", locked = dir + "\\locked.bmp";
    WriteBitmap(good);
    WriteBitmap(locked);
    // Held open without sharing: it exists but cannot be opened for reading.
    const HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);

    for (int run = 0; run < 5; ++run) {
        CWallpaperApp app;
        app.wallpaperList.AddTail({"bmp", dir + "\\missing.bmp", 5});
        app.wallpaperList.AddTail({"bmp", locked, 5});
        app.wallpaperList.AddTail({"bmp", good, 1});
        app.ratingSum = 11;
        app.listModified = run % 2 == 0;
        std::time_t now = 1'700'000'000 + run * 1000;
        app.clock = [&] { return now++; };
        ASSERT_TRUE(app.ChooseWallpaper());
        EXPECT_EQ(app.currentPath, good);
        EXPECT_EQ(app.currentExt, "bmp");
        EXPECT_EQ(app.wallpaperList.GetCount(), 1);
        EXPECT_EQ(app.ratingSum, 1);
        EXPECT_EQ(app.listModified, run % 2 == 0);
    }
    CloseHandle(hold);
}
