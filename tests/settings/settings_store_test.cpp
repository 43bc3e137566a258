// The settings store against the real registry under Wine.
#include <gtest/gtest.h>

#include <fstream>

#include "app/wallpaper_app.h"
#include "settings/local_midnight.h"
#include "settings/settings_seams_win.h"
#include "shell_link_win.h"
#include "support/list_bytes.h"
#include "win/seams.h"

using namespace std::string_literals;
using listbytes::Le32;

namespace {

const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
constexpr std::time_t kNow = 1784041200;  // 2026-07-14 15:00 UTC
const std::string kPath = "C:\\Listes\\\xE9t\xE9.dat";
const Settings kSettings{-7, 1783980000, 3, 32000, "startup", true, kPath, 1, -1};
const char* const kNames[] = {"FilelistPath", "Startup",     "TimeType", "NumDays", "NumStartup",
                              "LastDays",     "LastStartup", "Formats",  "Position"};

// Each value as its type's low byte and its bytes; "-" for none.
std::string Query(const char* name) {
    char data[1024];
    DWORD type = 0, size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, data, &size)) return "-";
    return char(type) + std::string(data, size);
}
std::string Sz(const std::string& s) { return char(REG_SZ) + s + '\0'; }
std::string Dw(int32_t v) { return char(REG_DWORD) + Le32(v); }

auto Fields(const Settings& s) {
    return std::tie(s.LastStartup, s.LastDays, s.NumStartup, s.NumDays, s.TimeType, s.Startup,
                    s.FilelistPath, s.Formats, s.Position);
}

struct SettingsStore : testing::Test {
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
        win::SetMessageBoxHandler(
            [this](HWND, const std::string& text, auto&&...) { return boxes.push_back(text), 1; });
    }
    void TearDown() override {
        settings::SetBlockAllocator(nullptr);
        settings::SetValueWriter(nullptr);
        win::SetMessageBoxHandler({});
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
    }
    std::vector<std::string> boxes;
};

}  // namespace

TEST_F(SettingsStore, SaveCreatesTheKeyAndWritesEveryValueThatLoadReadsBack) {
    Settings s;
    EXPECT_FALSE(LoadSettings(s, kNow));
    ASSERT_TRUE(SaveSettings(kSettings));
    std::string stored;
    for (const char* name : kNames) stored += Query(name);
    // The seven values that 1.0 reads, as it wrote them; then Formats, and "leave the position"
    // as no value at all.
    EXPECT_EQ(stored, Sz(kPath) + Dw(1) + Sz("startup") + Dw(32000) + Dw(3) + Dw(1783980000) +
                          Dw(-7) + Dw(1) + "-");
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(Fields(s), Fields(kSettings));
    s.Position = 5;
    ASSERT_TRUE(SaveSettings(s) && LoadSettings(s, kNow));
    EXPECT_EQ(std::pair(Query("Position"), s.Position), std::pair(Dw(5), 5));
    // Missing change markers load as today's midnight and zero.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LastDays");
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LastStartup", REG_BINARY, "\5\0", 2);
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(std::pair(s.LastDays, s.LastStartup), std::pair(int32_t(LocalMidnight(kNow)), 0));
}

// Each row stores kSettings with one value replaced (type 0: deleted), then loads. TimeType is
// unterminated.
TEST_F(SettingsStore, ARequiredValueMissingOrNotFittingItsBufferFailsTheLoad) {
    const std::string p260(260, 'p'), t29(29, 't');
    const std::tuple<const char*, DWORD, std::string, bool> rows[] = {
        {"FilelistPath", REG_SZ, p260 + '\0', true},
        {"FilelistPath", REG_SZ, p260 + "p\0"s, false},
        {"TimeType", REG_BINARY, t29, true},
        {"TimeType", REG_BINARY, t29 + 't', false},
        {"NumDays", REG_BINARY, "\5\0"s, false},
        {"Startup", 0, "", false},
        {"NumStartup", 0, "", false}};
    for (const auto& [name, type, bytes, loads] : rows) {
        ASSERT_TRUE(SaveSettings(kSettings));
        type ? RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, type, bytes.data(), bytes.size())
             : RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, name);
        Settings s;
        EXPECT_EQ(LoadSettings(s, kNow), loads) << name << ' ' << bytes.size();
    }
}

LSTATUS FailOnTimeType(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    return name == "TimeType"s ? 5 : RegSetValueExA(key, name, 0, type, data, size);
}
DWORD* NoBlock() { return nullptr; }

// Without the disposition block the save writes nothing, though the change marker goes on. A
// failed write stops there, and the program's save then leaves the logon shortcut alone; it
// updates it (off: removes it) only after every value was written.
TEST_F(SettingsStore, AFailedSaveStopsThereAndLeavesTheShortcut) {
    settings::SetBlockAllocator(NoBlock);
    EXPECT_FALSE(SaveSettings(kSettings));
    EXPECT_EQ(Query("Startup"), "-");
    SaveChangeMarker(kSettings, true, kNow);
    EXPECT_EQ(Query("LastStartup"), Dw(-7));
    EXPECT_EQ(boxes, std::vector<std::string>(2, "Erreur d'allocation m\351moire"));
    settings::SetBlockAllocator(nullptr);
    const std::string link = StartupShortcutPath();
    std::ofstream(link) << "kept";
    settings::SetValueWriter(FailOnTimeType);
    CWallpaperApp app;
    EXPECT_FALSE(app.SaveSettings());
    EXPECT_EQ(Query("Startup") + Query("TimeType") + Query("NumDays"), Dw(0) + "--");
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}
