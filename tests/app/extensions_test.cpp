// Formats and Position against the real registry and wallpaper, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "app/wallpaper_app.h"
#include "support/list_bytes.h"

namespace {

const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
const char kDesktop[] = "Control Panel\\Desktop";
struct Raw { DWORD type; std::string bytes; };  // type 0: no value
const Raw kNone{0, ""};
Raw Dw(uint32_t v) { return {REG_DWORD, listbytes::Le32(v)}; }
std::string Stored(const Raw& raw) { return raw.type ? raw.bytes : "-"; }

void Put(const char* key, const char* name, const Raw& raw) {
    if (raw.type) RegSetKeyValueA(HKEY_CURRENT_USER, key, name, raw.type, raw.bytes.data(), DWORD(raw.bytes.size()));
}
std::string Get(const char* key, const char* name) {
    char value[512] = {};
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, nullptr, value, &size) ? "-" : std::string(value, size);
}

// One logon run with a change due and one entry of `ext`: whether the entry
// became the wallpaper, the desktop's style and tile after it, and the two
// settings as the run left them.
auto Logon(const Raw& formats, const Raw& position, const std::string& ext) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string list = std::string(temp) + "ext.dat", picture = std::string(temp) + "pic." + ext;
    std::ofstream(picture, std::ios::binary) << "picture";
    std::ofstream(list, std::ios::binary) << listbytes::Header(1, 3) + listbytes::Record(picture, ext, 3);
    Put(kKey, "FilelistPath", {REG_SZ, list + '\0'});
    for (const char* name : {"Startup", "NumDays", "NumStartup", "LastDays", "LastStartup"})
        Put(kKey, name, Dw(name[0] == 'N'));  // every day, last changed in 1970
    Put(kKey, "TimeType", {REG_SZ, std::string("days", 5)});
    Put(kKey, "Formats", formats);
    Put(kKey, "Position", position);
    for (const char* name : {"Wallpaper", "WallpaperStyle", "TileWallpaper"}) Put(kDesktop, name, {REG_SZ, std::string("x", 2)});
    CWallpaperApp app;
    app.m_lpCmdLine = "/startup";
    app.InitInstance();
    return std::tuple(Get(kDesktop, "Wallpaper") == picture + '\0', Get(kDesktop, "WallpaperStyle"),
                      Get(kDesktop, "TileWallpaper"), Get(kKey, "Formats") + Get(kKey, "Position"));
}

TEST(Extensions, FormatsDecideWhichPicksALogonRunApplies) {
    const std::string x("x", 2);
    for (auto [formats, ext, applied] : {std::tuple{kNone, "jpg", false}, {kNone, "bmp", true}, {Dw(0), "png", false},
                                         {Dw(1), "jpg", true}, {Dw(1), "JPEG", true}, {Dw(1), "png", true},
                                         {Dw(1), "gif", false}, {Dw(2), "jpg", false}, {Raw{REG_BINARY, Dw(1).bytes}, "jpg", false},
                                         {Raw{REG_DWORD, std::string("\1\0", 2)}, "jpg", false}})
        EXPECT_EQ(Logon(formats, kNone, ext), std::tuple(applied, x, x, Stored(formats) + "-")) << ext << formats.bytes.size();
}

TEST(Extensions, AValidPositionIsWrittenWithTheWallpaperAnyOtherLeavesTheDesktopAlone) {
    const char* styles[] = {"0", "0", "2", "6", "10", "22"};
    for (uint32_t p = 0; p <= 5; ++p)
        EXPECT_EQ(Logon(kNone, Dw(p), "bmp"), std::tuple(true, styles[p] + std::string(1, '\0'),
                                                         std::string(p == 1 ? "1" : "0", 2), "-" + Dw(p).bytes)) << p;
    const std::string x("x", 2);
    for (const Raw& p : {kNone, Dw(6), Dw(~0u), Raw{REG_BINARY, Dw(3).bytes}, Raw{REG_DWORD, "\3"}})
        EXPECT_EQ(Logon(kNone, p, "bmp"), std::tuple(true, x, x, "-" + Stored(p))) << p.bytes.size();
    EXPECT_EQ(Logon(kNone, Dw(2), "jpg"), std::tuple(false, x, x, "-" + Dw(2).bytes));  // not applied: untouched
}

// What 1.1 writes, 1.0 reads: the seven values unchanged, the two new ones
// back as they were, and "leave the position" as no value at all.
TEST(Extensions, AKeyWrittenBy11LoadsItsSevenValuesAsBefore) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
    Settings s{7, 1784000000, 3, 12, "startup", true, "C:\\Listes\\\xE9t\xE9.dat"};
    auto all = [](Settings& t) { return std::tie(t.LastStartup, t.LastDays, t.NumStartup, t.NumDays, t.TimeType, t.Startup, t.FilelistPath, t.Formats, t.Position); };
    for (auto [formats, position] : {std::pair{1, 0}, {0, 5}, {1, -1}, {0, -1}}) {
        s.Formats = formats, s.Position = position;
        ASSERT_TRUE(SaveSettings(s));
        Settings back;
        ASSERT_TRUE(LoadSettings(back, 0));
        EXPECT_EQ(all(back), all(s));
    }
    EXPECT_EQ(Get(kKey, "Position"), "-");
}

}  // namespace
