// The settings store against the real registry under Wine.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <optional>

#include "app/wallpaper_app.h"
#include "settings/settings_seams_win.h"
#include "shell_link_win.h"
#include "win/message_box.h"

using namespace std::string_literals;

namespace {

const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
constexpr std::time_t kNow = 1784041200;  // 2026-07-14 15:00 UTC

struct Value {
    DWORD type;
    std::string bytes;
    bool operator==(const Value&) const = default;
};

void Seed(const char* name, const std::optional<Value>& v) {
    if (!v) RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, name);
    else RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, v->type, v->bytes.data(), DWORD(v->bytes.size()));
}

std::optional<Value> Query(const char* name) {
    char data[1024];
    DWORD type = 0, size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, data, &size)) return std::nullopt;
    return Value{type, std::string(data, size)};
}

// What the store holds for kSettings, byte for byte.
const Settings kSettings{-7, 1783980000, 3, 32000, "startup", true, "C:\\Listes\\\xE9t\xE9.dat"};
const std::pair<const char*, std::optional<Value>> kStored[] = {
    {"FilelistPath", Value{REG_SZ, "C:\\Listes\\\xE9t\xE9.dat\0"s}},
    {"Startup", Value{REG_DWORD, "\1\0\0\0"s}},
    {"TimeType", Value{REG_SZ, "startup\0"s}},
    {"NumDays", Value{REG_DWORD, "\0\x7D\0\0"s}},
    {"NumStartup", Value{REG_DWORD, "\3\0\0\0"s}},
    {"LastDays", Value{REG_DWORD, "\xE0\x5F\x55\x6A"s}},
    {"LastStartup", Value{REG_DWORD, "\xF9\xFF\xFF\xFF"s}},
};

auto Fields(const Settings& s) {
    return std::tie(s.LastStartup, s.LastDays, s.NumStartup, s.NumDays, s.TimeType, s.Startup, s.FilelistPath);
}

bool IsMidnightOfNow(std::time_t t) {
    const std::tm day = *std::localtime(&t), now = *std::localtime(&kNow);
    return day.tm_hour + day.tm_min + day.tm_sec == 0 && day.tm_yday == now.tm_yday && day.tm_year == now.tm_year;
}

struct SettingsStore : testing::Test {
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
        win::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string&, UINT style) {
            boxes.push_back(text + ' ' + std::to_string(style));
            return IDOK;
        });
    }
    void TearDown() override {
        settings::SetBlockAllocator(nullptr);
        settings::SetValueWriter(nullptr);
        win::SetMessageBoxHandler({});
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");
        DeleteFileA(StartupShortcutPath().c_str());
    }
    std::vector<std::string> boxes;
};

}  // namespace

TEST_F(SettingsStore, SaveCreatesTheKeyAndWritesEveryValueThatLoadReadsBack) {
    Settings s;
    EXPECT_FALSE(LoadSettings(s, kNow));
    ASSERT_TRUE(SaveSettings(kSettings));
    for (const auto& [name, value] : kStored) EXPECT_EQ(Query(name), value) << name;
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(Fields(s), Fields(kSettings));
}

// Each row stores kSettings' values with one changed (none: deleted), then loads.
TEST_F(SettingsStore, LoadTakesWhatFitsItsBuffer) {
    const std::string p260(260, 'p'), t29(29, 't');
    const struct { const char* name; std::optional<Value> stored; bool loads; std::string read = ""; } rows[] = {
        {"FilelistPath", Value{REG_SZ, p260 + '\0'}, true, p260},
        {"FilelistPath", Value{REG_SZ, p260 + "p\0"s}, false},
        {"TimeType", Value{REG_BINARY, t29}, true, t29},  // no terminator
        {"TimeType", Value{REG_SZ, t29 + "t\0"s}, false},
        {"TimeType", Value{REG_BINARY, t29 + 't'}, false},  // fills the buffer, no terminator
        {"Startup", Value{REG_DWORD, "\2\0\0\0"s}, true, "1"},
        {"NumDays", Value{REG_BINARY, "\5\0"s}, false},
        {"FilelistPath", std::nullopt, false}, {"Startup", std::nullopt, false},
        {"TimeType", std::nullopt, false}, {"NumDays", std::nullopt, false},
        {"NumStartup", std::nullopt, false},
        {"LastStartup", Value{REG_BINARY, "\5\0"s}, true, "0"},
        {"LastDays", std::nullopt, true, "midnight"},
    };
    for (const auto& row : rows) {
        for (const auto& [name, value] : kStored) Seed(name, value);
        Seed(row.name, row.stored);
        Settings s;
        ASSERT_EQ(LoadSettings(s, kNow), row.loads) << row.name << ' ' << (row.stored ? row.stored->bytes.size() : 0);
        if (!row.loads) continue;
        const std::string name = row.name;
        EXPECT_EQ(name == "FilelistPath" ? s.FilelistPath : name == "TimeType" ? s.TimeType
                  : name == "Startup" ? std::to_string(s.Startup) : name == "LastStartup" ? std::to_string(s.LastStartup)
                  : IsMidnightOfNow(s.LastDays) ? "midnight" : std::to_string(s.LastDays), row.read) << name;
    }
}

LSTATUS FailOnTimeType(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    return name == "TimeType"s ? ERROR_ACCESS_DENIED : RegSetValueExA(key, name, 0, type, data, size);
}

// The program's save: the logon shortcut (off: removed) only after every value was written.
TEST_F(SettingsStore, AFailedWriteStopsThereAndLeavesTheShortcut) {
    const std::string link = StartupShortcutPath();
    std::ofstream(link) << "kept";
    settings::SetValueWriter(FailOnTimeType);
    CWallpaperApp app;
    app.FilelistPath = "C:\\a.dat";
    EXPECT_FALSE(app.SaveSettings());
    for (const auto& [name, value] : {std::pair{"FilelistPath", std::optional{Value{REG_SZ, "C:\\a.dat\0"s}}},
                                      {"Startup", Value{REG_DWORD, "\0\0\0\0"s}}, {"TimeType", std::nullopt},
                                      {"NumDays", std::nullopt}})
        EXPECT_EQ(Query(name), value) << name;
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(boxes.empty());
}

DWORD* NoBlock() { return nullptr; }

// Without a block the save writes nothing; the change marker goes on with its value.
TEST_F(SettingsStore, OutOfMemoryShowsTheMessage) {
    settings::SetBlockAllocator(NoBlock);
    EXPECT_FALSE(SaveSettings(kSettings));
    EXPECT_EQ(Query("Startup"), std::nullopt);
    SaveChangeMarker(kSettings, true, kNow);
    EXPECT_EQ(Query("LastStartup"), kStored[6].second);
    SaveChangeMarker(kSettings, false, kNow);
    int32_t days = 0;
    DWORD size = sizeof days;
    RegGetValueA(HKEY_CURRENT_USER, kKey, "LastDays", RRF_RT_REG_DWORD, nullptr, &days, &size);
    EXPECT_TRUE(IsMidnightOfNow(days));
    EXPECT_EQ(boxes, std::vector<std::string>(3, "Erreur d'allocation m\xE9moire 16"));
}
