// Formats and Position against the real registry and wallpaper, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/wallpaper_app.h"
#include "support/list_bytes.h"

namespace {

const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
const char kDesktop[] = "Control Panel\\Desktop";
using Raw = std::pair<DWORD, std::string>;  // type and bytes; no type: no value
const Raw kNone{0, "-"};                    // "-" is what Get gives for no value
Raw Dw(uint32_t v) { return {REG_DWORD, listbytes::Le32(v)}; }
Raw Sz(const std::string& text) { return {REG_SZ, text + '\0'}; }

void Put(const char* key, const char* name, const Raw& raw) {
    const auto& [type, bytes] = raw;
    if (type) RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, bytes.data(), bytes.size());
}
// A string without its terminating zero.
std::string Get(const char* key, const char* name) {
    char value[512] = {};
    DWORD type = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, value, &size)) return "-";
    return {value, size - (type == REG_SZ)};
}

// One logon run, a change due every day, with one entry of `ext` and a desktop whose values
// are all "x": whether it became the wallpaper, the style and tile after it, and the two
// settings as the run left them.
auto Logon(const Raw& formats, const Raw& position, const std::string& ext) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
    const std::string picture = "pic." + ext;  // in the working folder
    std::ofstream(picture) << "picture";
    std::ofstream("ext.dat", std::ios::binary)
        << listbytes::Header(1, 3) + listbytes::Record(picture, ext, 3);
    SaveSettings({0, 0, 1, 1, "days", false, "ext.dat"});  // every day, last changed in 1970
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Formats");
    Put(kKey, "Formats", formats), Put(kKey, "Position", position);
    for (const char* name : {"Wallpaper", "WallpaperStyle", "TileWallpaper"})
        Put(kDesktop, name, Sz("x"));
    CWallpaperApp app;
    app.m_lpCmdLine = "/startup";
    app.InitInstance();
    return std::tuple(Get(kDesktop, "Wallpaper") == picture,
                      Get(kDesktop, "WallpaperStyle") + ' ' + Get(kDesktop, "TileWallpaper"),
                      Get(kKey, "Formats") + Get(kKey, "Position"));
}

// Formats and Position are left as they were; the desktop's style and tile are written only
// with a valid position and an applied picture.
TEST(Extensions, ALogonRunAppliesByFormatsAndWritesAValidPositionWithTheWallpaper) {
    const Raw short1{REG_DWORD, "\1"}, binary1{REG_BINARY, Dw(1).second};
    const std::tuple<Raw, Raw, const char*, bool, const char*> rows[] = {
        {kNone, kNone, "jpg", false, "x x"},  {Dw(1), kNone, "JPEG", true, "x x"},
        {Dw(2), kNone, "jpg", false, "x x"},  {binary1, kNone, "jpg", false, "x x"},
        {short1, kNone, "jpg", false, "x x"}, {kNone, Dw(0), "bmp", true, "0 0"},
        {kNone, Dw(1), "bmp", true, "0 1"},   {kNone, Dw(2), "bmp", true, "2 0"},
        {kNone, Dw(3), "bmp", true, "6 0"},   {kNone, Dw(4), "bmp", true, "10 0"},
        {kNone, Dw(5), "bmp", true, "22 0"},  {kNone, Dw(6), "bmp", true, "x x"},
        {kNone, Dw(~0u), "bmp", true, "x x"}, {kNone, Dw(2), "jpg", false, "x x"}};
    for (const auto& [formats, position, ext, applied, desktop] : rows)
        EXPECT_EQ(Logon(formats, position, ext),
                  std::tuple(applied, desktop, formats.second + position.second))
            << ext << ' ' << desktop;
}

}  // namespace
