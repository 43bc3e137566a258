// Logon and /next runs of the application object against the real registry, list files and
// desktop, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/wallpaper_app.h"
#include "settings/local_midnight.h"
#include "support/registry.h"

using namespace reg;
using listbytes::Header, listbytes::Record;

namespace {

// A list whose missing first entry comes up first most times: it is dropped, and the draw
// starts again.
std::string ListBytes(const std::string& ext) {
    return Header(2, 6) + Record("gone.bmp", "bmp", 5) + Record("pic." + ext, ext, 1);
}

// Files in the working folder; the desktop's values all "x" before each run.
struct LogonRun : Clean {
    // The wallpaper, and the desktop's style and tile, as the run left them; the entries that
    // the application's list kept.
    std::tuple<Raw, Raw, Raw, int> Run(const wchar_t* args, const std::string& ext) {
        std::ofstream("pic." + ext) << "picture";
        std::ofstream("list.dat", std::ios::binary) << ListBytes(ext);
        for (const wchar_t* name : {L"Wallpaper", L"WallpaperStyle", L"TileWallpaper"})
            Put(kDesktop, name, Sz(L"x"));
        CWallpaperApp app;
        app.m_lpCmdLine = args;
        app.InitInstance();
        return {Get(kDesktop, L"Wallpaper"), Get(kDesktop, L"WallpaperStyle"),
                Get(kDesktop, L"TileWallpaper"), app.wallpaperList.GetCount()};
    }
};

}  // namespace

// Every day, or every third logon; /next changes now and restarts the count. The list file
// is never written.
TEST_F(LogonRun, ChangesWhenDueStoringTheCountAndReportsAMissingList) {
    const int32_t today = int32_t(LocalMidnight(std::time(nullptr))), longAgo = 999993600;
    // clang-format off
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, int32_t, int32_t, int32_t, int32_t,
                     bool> runs[] = {  // args, kind, list, last days and count, after, changed
        {L"/startup", L"days", L"list.dat", today, 0, today, 0, false},
        {L"/startup", L"days", L"list.dat", longAgo, 0, today, 0, true},
        {L"/startup", L"startup", L"list.dat", longAgo, 0, longAgo, 1, false},
        {L"/startup", L"startup", L"list.dat", longAgo, 2, longAgo, 0, true},
        {L"/startup", L"days", L"absent.dat", today, 0, today, 0, false},
        {L"/next", L"days", L"list.dat", longAgo, 0, today, 0, true},
        {L"/next", L"days", L"absent.dat", longAgo, 0, longAgo, 0, false}};
    // clang-format on
    for (const wchar_t* args : {L"/startup", L"/next"}) Run(args, "bmp");         // a first run
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, kCompany), ERROR_FILE_NOT_FOUND);  // wrote nothing
    for (const auto& [args, kind, list, days, count, daysAfter, countAfter, changes] : runs) {
        SaveSettings({count, days, 3, 1, kind, false, list});
        const auto [wallpaper, style, tile, listed] = Run(args, "bmp");
        EXPECT_EQ(wallpaper, Sz(changes ? L"pic.bmp" : L"x")) << args << list;
        Settings stored;
        EXPECT_TRUE(LoadSettings(stored, 0));
        EXPECT_EQ(Fields(stored), Fields({countAfter, daysAfter, 3, 1, kind, false, list}));
        const bool absent = list == std::wstring(L"absent.dat");
        EXPECT_EQ(std::exchange(boxes, {}),
                  std::vector<std::wstring>(absent, L"Erreur de chargement de la liste (2)"));
        // /next draws from a copy: the window's list keeps the missing file too.
        EXPECT_TRUE(args != std::wstring(L"/next") || listed == (absent ? 0 : 2)) << list;
        std::ifstream in("list.dat", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), ListBytes("bmp"));
    }
}

// Formats and Position are left as they were; the desktop's style and tile are written only
// with a valid position and an applied picture.
TEST_F(LogonRun, AppliesByFormatsAndWritesAValidPositionWithTheWallpaper) {
    const Raw short1{REG_DWORD, "\1"}, binary1{REG_BINARY, Dw(1).second};
    // clang-format off
    const std::tuple<Raw, Raw, const char*, bool, const char*, const char*> rows[] = {
        {{}, {}, "jpg", false, "x", "x"},     {Dw(1), {}, "JPEG", true, "x", "x"},
        {Dw(2), {}, "jpg", false, "x", "x"},  {binary1, {}, "jpg", false, "x", "x"},
        {short1, {}, "jpg", false, "x", "x"}, {{}, Dw(0), "bmp", true, "0", "0"},
        {{}, Dw(1), "bmp", true, "0", "1"},   {{}, Dw(2), "bmp", true, "2", "0"},
        {{}, Dw(3), "bmp", true, "6", "0"},   {{}, Dw(4), "bmp", true, "10", "0"},
        {{}, Dw(5), "bmp", true, "22", "0"},  {{}, Dw(6), "bmp", true, "x", "x"},
        {{}, Dw(~0u), "bmp", true, "x", "x"}, {{}, Dw(2), "jpg", false, "x", "x"}};
    // clang-format on
    for (const auto& [formats, position, ext, applied, style, tile] : rows) {
        SaveSettings({0, 0, 1, 1, L"days", false, L"list.dat"});  // every day, last changed in 1970
        Put(kVelunda, L"Formats", formats), Put(kVelunda, L"Position", position);
        const auto [wallpaper, shownStyle, shownTile, listed] = Run(L"/startup", ext);
        EXPECT_EQ(
            std::tuple(wallpaper, shownStyle, shownTile),
            std::tuple(Sz(applied ? L"pic." + Wide(ext) : L"x"), Sz(Wide(style)), Sz(Wide(tile))))
            << ext << ' ' << style;
        EXPECT_EQ(std::pair(Get(kVelunda, L"Formats"), Get(kVelunda, L"Position")),
                  std::pair(formats, position));
    }
}

// /next puts up another usable picture each time, even seeded alike, and restarts the count only
// after a change: not when only JPEG files are listed without Formats, nor when the system
// refuses the picture (the desktop's position is then put back).
TEST_F(LogonRun, NextPutsUpAnotherUsablePictureAndCountsOnlyAChange) {
    for (const char* name : {"a.bmp", "b.bmp", "c.jpg"}) std::ofstream(name) << "picture";
    const auto next = [](const std::string& listed) {
        std::ofstream("list.dat", std::ios::binary) << listed;
        SaveSettings({2, 0, 3, 1, L"startup", false, L"list.dat", 0, 5});
        CWallpaperApp app({[] { return std::time_t(100); }});
        app.m_lpCmdLine = L"/next";
        app.InitInstance();
        return std::tuple(Get(kDesktop, L"Wallpaper"), Get(kDesktop, L"WallpaperStyle"),
                          Get(kDesktop, L"TileWallpaper"), Get(kVelunda, L"LastStartup"));
    };
    const std::string jpeg = Record("c.jpg", "jpg", 5),
                      listed = Header(4, 16) + Record("a.bmp", "bmp", 5) +
                               Record("gone.bmp", "bmp", 5) + Record("b.bmp", "bmp", 1) + jpeg;
    next(Header(1, 5) + Record("a.bmp", "bmp", 5));
    for (const wchar_t* shown : {L"b.bmp", L"a.bmp", L"b.bmp"})
        EXPECT_EQ(next(listed), std::tuple(Sz(shown), Sz(L"22"), Sz(L"0"), Dw(0)));
    EXPECT_EQ(next(Header(1, 5) + jpeg), std::tuple(Sz(L"b.bmp"), Sz(L"22"), Sz(L"0"), Dw(2)));
    // Wine then keeps a handle to the deleted key, and can no longer store the wallpaper.
    RegDeleteTreeW(HKEY_CURRENT_USER, kDesktop);
    Put(kDesktop, L"WallpaperStyle", Sz(L"x"));
    EXPECT_EQ(next(listed), std::tuple(Raw{}, Sz(L"x"), Raw{}, Dw(2)));
}
