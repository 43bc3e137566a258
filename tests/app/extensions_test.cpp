// Formats and Position against the real registry and wallpaper, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/wallpaper_app.h"
#include "support/list_bytes.h"

namespace {

const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
const char kDesktop[] = "Control Panel\\Desktop";
struct Raw { DWORD type; std::string bytes; };
const Raw kNone{0, "-"};  // no value; "-" is what Get gives for one
Raw Dw(uint32_t v) { return {REG_DWORD, listbytes::Le32(v)}; }
Raw Sz(const std::string& text) { return {REG_SZ, text + '\0'}; }

void Put(const char* key, const char* name, const Raw& raw) {
    if (raw.type) RegSetKeyValueA(HKEY_CURRENT_USER, key, name, raw.type, raw.bytes.data(), DWORD(raw.bytes.size()));
}
std::string Get(const char* key, const char* name) {
    char value[512] = {};
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, nullptr, value, &size) ? "-" : std::string(value, size);
}

// One logon run, a change due, with one entry of `ext`: whether it became the
// wallpaper, the desktop's style and tile after it, and the two settings as
// the run left them.
auto Logon(const Raw& formats, const Raw& position, const std::string& ext) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
    const std::string picture = "pic." + ext;  // in the working folder
    std::ofstream(picture) << "picture";
    std::ofstream("ext.dat", std::ios::binary) << listbytes::Header(1, 3) + listbytes::Record(picture, ext, 3);
    // Every day, last changed in 1970.
    for (const auto& [name, raw] : {std::pair{"FilelistPath", Sz("ext.dat")}, {"Startup", Dw(0)}, {"TimeType", Sz("days")},
                                    {"NumDays", Dw(1)}, {"NumStartup", Dw(1)}, {"LastDays", Dw(0)}, {"Formats", formats}, {"Position", position}})
        Put(kKey, name, raw);
    for (const char* name : {"Wallpaper", "WallpaperStyle", "TileWallpaper"}) Put(kDesktop, name, Sz("x"));
    CWallpaperApp app;
    app.m_lpCmdLine = "/startup";
    app.InitInstance();
    return std::tuple(Get(kDesktop, "Wallpaper") == Sz(picture).bytes, Get(kDesktop, "WallpaperStyle"),
                      Get(kDesktop, "TileWallpaper"), Get(kKey, "Formats") + Get(kKey, "Position"));
}

TEST(Extensions, ALogonRunAppliesByFormatsAndWritesAValidPositionWithTheWallpaper) {
    const std::string x = Sz("x").bytes;
    for (auto [formats, ext, applied] : {std::tuple{kNone, "jpg", false}, {kNone, "bmp", true}, {Dw(0), "png", false},
                                         {Dw(1), "jpg", true}, {Dw(1), "JPEG", true}, {Dw(1), "png", true}, {Dw(1), "gif", false},
                                         {Dw(2), "jpg", false}, {Raw{REG_BINARY, Dw(1).bytes}, "jpg", false}, {Raw{REG_DWORD, "\1"}, "jpg", false}})
        EXPECT_EQ(Logon(formats, kNone, ext), std::tuple(applied, x, x, formats.bytes + "-")) << ext << formats.bytes.size();
    const char* styles[] = {"0", "0", "2", "6", "10", "22"};
    for (uint32_t p = 0; p <= 5; ++p)
        EXPECT_EQ(Logon(kNone, Dw(p), "bmp"), std::tuple(true, Sz(styles[p]).bytes, Sz(p == 1 ? "1" : "0").bytes, "-" + Dw(p).bytes));
    for (const Raw& p : {kNone, Dw(6), Dw(~0u), Raw{REG_BINARY, Dw(3).bytes}, Raw{REG_DWORD, "\3"}})
        EXPECT_EQ(Logon(kNone, p, "bmp"), std::tuple(true, x, x, "-" + p.bytes)) << p.bytes.size();
    EXPECT_EQ(Logon(kNone, Dw(2), "jpg"), std::tuple(false, x, x, "-" + Dw(2).bytes));  // not applied: untouched
}

// What 1.1 writes, 1.0 reads: the seven values unchanged, the two new ones
// back as they were, and "leave the position" as no value at all.
TEST(Extensions, AKeyWrittenBy11LoadsItsSevenValuesAsBefore) {
    Settings s{7, 1784000000, 3, 12, "startup", true, "C:\\Listes\\\xE9t\xE9.dat"}, back;
    auto all = [](Settings& t) { return std::tie(t.LastStartup, t.LastDays, t.NumStartup, t.NumDays, t.TimeType, t.Startup, t.FilelistPath, t.Formats, t.Position); };
    for (auto [formats, position] : {std::pair{1, 0}, {0, 5}, {1, -1}, {0, -1}}) {
        s.Formats = formats, s.Position = position;
        ASSERT_TRUE(SaveSettings(s) && LoadSettings(back, 0));
        EXPECT_EQ(all(back), all(s));
    }
    EXPECT_EQ(Get(kKey, "Position"), "-");
}

}  // namespace
