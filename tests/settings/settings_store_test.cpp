// The settings store against the real registry under Wine.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "app/wallpaper_app.h"
#include "settings/local_midnight.h"
#include "settings/settings_seams_win.h"
#include "shell_link_win.h"
#include "win/message_box.h"
#include "win/seams.h"

using namespace std::string_literals;
using Value = std::pair<DWORD, std::string>;  // type and bytes

namespace {

const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
constexpr std::time_t kNow = 1784041200;  // 2026-07-14 15:00 UTC
const Settings kSettings{-7, 1783980000, 3, 32000, "startup", true, "C:\\Listes\\\xE9t\xE9.dat"};
const std::pair<const char*, std::optional<Value>> kStored[] = {  // kSettings, byte for byte
    {"FilelistPath", Value{REG_SZ, "C:\\Listes\\\xE9t\xE9.dat\0"s}}, {"Startup", Value{REG_DWORD, "\1\0\0\0"s}},
    {"TimeType", Value{REG_SZ, "startup\0"s}}, {"NumDays", Value{REG_DWORD, "\0\x7D\0\0"s}},
    {"NumStartup", Value{REG_DWORD, "\3\0\0\0"s}}, {"LastDays", Value{REG_DWORD, "\xE0\x5F\x55\x6A"s}},
    {"LastStartup", Value{REG_DWORD, "\xF9\xFF\xFF\xFF"s}}};

std::optional<Value> Query(const char* name) {
    char data[1024];
    DWORD type = 0, size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, data, &size)) return std::nullopt;
    return Value{type, std::string(data, size)};
}

auto Fields(const Settings& s) {
    return std::tie(s.LastStartup, s.LastDays, s.NumStartup, s.NumDays, s.TimeType, s.Startup, s.FilelistPath);
}

struct SettingsStore : testing::Test {
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
        win::SetMessageBoxHandler([this](HWND, const std::string& text, auto&&...) { return boxes.push_back(text), IDOK; });
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

// Missing change markers load as today's midnight and zero.
TEST_F(SettingsStore, SaveCreatesTheKeyAndWritesEveryValueThatLoadReadsBack) {
    Settings s;
    EXPECT_FALSE(LoadSettings(s, kNow));
    ASSERT_TRUE(SaveSettings(kSettings));
    for (const auto& [name, value] : kStored) EXPECT_EQ(Query(name), value) << name;
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(Fields(s), Fields(kSettings));
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LastDays");
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LastStartup", REG_BINARY, "\5\0", 2);
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(std::pair(s.LastDays, s.LastStartup), std::pair(int32_t(LocalMidnight(kNow)), 0));
}

// Each row stores kSettings with one value replaced (none: deleted), then loads.
TEST_F(SettingsStore, ARequiredValueMissingOrNotFittingItsBufferFailsTheLoad) {
    const std::string p260(260, 'p'), t29(29, 't');
    const std::tuple<const char*, std::optional<Value>, bool> rows[] = {
        {"FilelistPath", Value{REG_SZ, p260 + '\0'}, true}, {"FilelistPath", Value{REG_SZ, p260 + "p\0"s}, false},
        {"TimeType", Value{REG_BINARY, t29}, true}, {"TimeType", Value{REG_BINARY, t29 + 't'}, false},  // unterminated
        {"NumDays", Value{REG_BINARY, "\5\0"s}, false}, {"Startup", {}, false}, {"NumStartup", {}, false}};
    for (const auto& [name, stored, loads] : rows) {
        ASSERT_TRUE(SaveSettings(kSettings));
        stored ? RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, stored->first, stored->second.data(),
                                 DWORD(stored->second.size()))
               : RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, name);
        Settings s;
        EXPECT_EQ(LoadSettings(s, kNow), loads) << name << ' ' << (stored ? stored->second.size() : 0);
    }
}

LSTATUS FailOnTimeType(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    return name == "TimeType"s ? ERROR_ACCESS_DENIED : RegSetValueExA(key, name, 0, type, data, size);
}

// The program's save updates the logon shortcut (off: removes it) only after every value was written.
TEST_F(SettingsStore, AFailedWriteStopsThereAndLeavesTheShortcut) {
    const std::string link = StartupShortcutPath();
    std::ofstream(link) << "kept";
    settings::SetValueWriter(FailOnTimeType);
    CWallpaperApp app;
    EXPECT_FALSE(app.SaveSettings());
    EXPECT_EQ(std::tuple(Query("Startup"), Query("TimeType"), Query("NumDays")),
              std::tuple(Value{REG_DWORD, "\0\0\0\0"s}, std::nullopt, std::nullopt));
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

DWORD* NoBlock() { return nullptr; }

// Without the block the save writes nothing; the change marker goes on.
TEST_F(SettingsStore, OutOfMemoryShowsTheMessage) {
    settings::SetBlockAllocator(NoBlock);
    EXPECT_FALSE(SaveSettings(kSettings));
    EXPECT_EQ(Query("Startup"), std::nullopt);
    SaveChangeMarker(kSettings, true, kNow);
    EXPECT_EQ(Query("LastStartup"), kStored[6].second);
    EXPECT_EQ(boxes, std::vector<std::string>(2, "Erreur d'allocation m\xE9moire"));
}
