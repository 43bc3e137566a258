#include "settings/settings_store_win.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <optional>
#include <tuple>

#include "app/wallpaper_app.h"
#include "win/message_box.h"

namespace {

const char kVendorKey[] = "Software\\Zarnovell Software";
const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
constexpr std::time_t kNow = 1784041200;  // 2026-07-14 15:00 UTC
using Stored = std::pair<DWORD, std::string>;

std::string Sz(const std::string& text) { return text + '\0'; }
std::string Dword(const char (&le)[5]) { return std::string(le, 4); }

// What the program itself writes on a typical day.
const std::pair<const char*, Stored> kAll[] = {
    {"FilelistPath", {REG_SZ, Sz("C:\\Listes\\\xE9t\xE9.dat")}},
    {"Startup", {REG_DWORD, Dword("\x01\0\0\0")}},
    {"TimeType", {REG_SZ, Sz("startup")}},
    {"NumDays", {REG_DWORD, Dword("\x00\x7d\0\0")}},
    {"NumStartup", {REG_DWORD, Dword("\x03\0\0\0")}},
    {"LastDays", {REG_DWORD, Dword("\xe0\x5f\x55\x6a")}},
    {"LastStartup", {REG_DWORD, Dword("\xf9\xff\xff\xff")}},
};

void Seed(const char* name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, type, bytes.data(),
                              static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
}

void SeedAll() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kVendorKey);
    for (const auto& [name, value] : kAll) Seed(name, value.first, value.second);
}

std::optional<Stored> Query(const char* name) {
    std::string buffer(1024, '\0');
    DWORD type = 0, size = static_cast<DWORD>(buffer.size());
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, buffer.data(), &size))
        return std::nullopt;
    return Stored{type, buffer.substr(0, size)};
}

auto Fields(CWallpaperApp& a) {
    return std::tie(a.FilelistPath, a.Startup, a.TimeType, a.NumDays, a.NumStartup, a.LastDays,
                    a.LastStartup);
}

std::string LinkPath() {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, TRUE);
    return std::string(folder) + "\\Velunda.lnk";
}

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kVendorKey);
        app.clock = [] { return kNow; };
        win::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption,
                                         UINT style) {
            boxes.push_back(text + "|" + caption + "|" + std::to_string(style));
            return IDOK;
        });
    }
    void TearDown() override {
        settings::SetBlockAllocator(nullptr);
        settings::SetValueWriter(nullptr);
        win::SetMessageBoxHandler({});
        RegDeleteTreeA(HKEY_CURRENT_USER, kVendorKey);
        DeleteFileA(LinkPath().c_str());
    }

    CWallpaperApp app;
    std::vector<std::string> boxes;
};

TEST_F(SettingsStore, NoKeyFailsTheLoadSaveCreatesEveryLevelAndValueLoadReadsThemBack) {
    EXPECT_FALSE(app.LoadSettings());
    Fields(app) = std::tuple("C:\\Listes\\\xE9t\xE9.dat", true, "startup", 32000, 3, 1783980000, -7);
    EXPECT_TRUE(app.SaveSettings());
    for (const auto& [name, value] : kAll) EXPECT_EQ(Query(name), value) << name;
    EXPECT_TRUE(boxes.empty());
    CWallpaperApp fresh;
    ASSERT_TRUE(fresh.LoadSettings());
    EXPECT_EQ(Fields(fresh), Fields(app));

    // Startup 2 is written back as 1; empty strings are one zero byte.
    Seed("Startup", REG_DWORD, Dword("\x02\0\0\0"));
    ASSERT_TRUE(fresh.LoadSettings());
    fresh.FilelistPath = fresh.TimeType = "";
    ASSERT_TRUE(fresh.SaveSettings());
    EXPECT_EQ(Query("Startup"), Stored(REG_DWORD, Dword("\x01\0\0\0")));
    EXPECT_EQ(Query("FilelistPath"), Stored(REG_SZ, Sz("")));
    EXPECT_EQ(Query("TimeType"), Stored(REG_SZ, Sz("")));
    ASSERT_TRUE(app.LoadSettings());
    EXPECT_EQ(app.FilelistPath + app.TimeType, "");
}

TEST_F(SettingsStore, MissingOrShortValues) {
    // Missing or 2-byte change markers: today's midnight and zero.
    for (bool shortValues : {false, true}) {
        SeedAll();
        for (const char* name : {"LastDays", "LastStartup"})
            shortValues ? Seed(name, REG_DWORD, std::string("\x05\0", 2))
                        : (void)RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, name);
        app.LastStartup = 9;
        ASSERT_TRUE(app.LoadSettings());
        const std::time_t last = app.LastDays;
        const std::tm got = *std::localtime(&last);  // today's midnight
        EXPECT_EQ(got.tm_yday * 86400 + got.tm_hour * 3600 + got.tm_min * 60 + got.tm_sec,
                  std::localtime(&kNow)->tm_yday * 86400) << shortValues;
        EXPECT_EQ(app.LastStartup, 0);
    }
    for (const char* name : {"FilelistPath", "Startup", "TimeType", "NumDays", "NumStartup"}) {
        SeedAll();
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, name);
        EXPECT_FALSE(CWallpaperApp().LoadSettings()) << name;
    }
}

// Lengths, sizes and types: the stored type is not examined.
TEST_F(SettingsStore, ValueShapes) {
    const std::string p260(260, 'p'), p261(261, 'p'), t29(29, 't'), t30(30, 't');
    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
        std::optional<std::string> read;  // nullopt: the load fails
    } rows[] = {
        {"FilelistPath", REG_SZ, Sz(p260), p260},
        {"FilelistPath", REG_SZ, Sz(p261), std::nullopt},
        {"TimeType", REG_SZ, Sz(t29), t29},
        {"TimeType", REG_SZ, Sz(t30), std::nullopt},
        {"Startup", REG_DWORD, Dword("\x02\0\0\0"), "1"},
        {"NumDays", REG_DWORD, std::string("\x05\0", 2), std::nullopt},
        {"TimeType", REG_BINARY, "days", "days"},  // no terminator
        {"FilelistPath", REG_BINARY, std::string("C:\\x.dat\0junk", 13), "C:\\x.dat"},
        {"TimeType", REG_BINARY, t29, t29},
        {"TimeType", REG_BINARY, t30, std::nullopt},
    };
    for (const auto& row : rows) {
        SeedAll();
        Seed(row.name, row.type, row.bytes);
        CWallpaperApp a;
        ASSERT_EQ(a.LoadSettings(), row.read.has_value()) << row.name << " " << row.bytes.size();
        const std::string name = row.name;
        if (!row.read) continue;
        EXPECT_EQ(name == "FilelistPath" ? a.FilelistPath
                  : name == "TimeType"   ? a.TimeType
                                         : std::to_string(a.Startup), *row.read);
    }
}

std::vector<std::string> g_writes;
LSTATUS FailOnTimeType(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    g_writes.push_back(name);
    if (std::string(name) == "TimeType") return ERROR_ACCESS_DENIED;
    return RegSetValueExA(key, name, 0, type, data, size);
}

TEST_F(SettingsStore, FailedWriteStopsAndKeepsWhatWasWrittenAndTheShortcut) {
    // A shortcut that a successful save removes (Startup is off).
    const std::string link = LinkPath();
    std::ofstream(link, std::ios::binary) << "sentinel";
    settings::SetValueWriter(FailOnTimeType);
    Fields(app) = std::tuple("C:\\a.dat", false, "days", 1, 1, 0, 0);
    EXPECT_FALSE(app.SaveSettings());
    EXPECT_EQ(g_writes, (std::vector<std::string>{"FilelistPath", "Startup", "TimeType"}));
    EXPECT_EQ(Query("FilelistPath"), Stored(REG_SZ, Sz("C:\\a.dat")));
    EXPECT_EQ(Query("Startup"), Stored(REG_DWORD, Dword("\0\0\0\0")));
    EXPECT_EQ(Query("TimeType"), std::nullopt);
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(boxes.empty());

    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

DWORD* NoBlock() { return nullptr; }

TEST_F(SettingsStore, OutOfMemoryShowsTheMessage) {
    settings::SetBlockAllocator(NoBlock);
    app.LastStartup = 4;
    EXPECT_FALSE(app.SaveSettings());
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    app.SaveChangeMarker(true);  // goes on without the block
    EXPECT_EQ(Query("LastStartup"), Stored(REG_DWORD, Dword("\x04\0\0\0")));
    const std::string box = "Erreur d'allocation m\xE9moire|settings_store_tests|16";
    EXPECT_EQ(boxes, (std::vector<std::string>{box, box}));
}

}  // namespace
