// The settings store against the real registry under Wine.
#include <gtest/gtest.h>

#include <fstream>

#include "app/wallpaper_app.h"
#include "settings/local_midnight.h"
#include "settings/settings_seams_win.h"
#include "support/shell_link_win.h"
#include "support/registry.h"

using namespace reg;
using namespace std::string_literals;

namespace {

constexpr std::time_t kNow = 1784041200;  // 2026-07-14 15:00 UTC
const std::string kPath = "C:\\Listes\\\xE9t\xE9.dat";
const Settings kSettings{-7, 1783980000, 3, 32000, "startup", true, kPath, 1, -1};

struct SettingsStore : Clean {
    void TearDown() override {
        settings::SetBlockAllocator(nullptr);
        settings::SetValueWriter(nullptr);
        Clean::TearDown();
    }
};

}  // namespace

TEST_F(SettingsStore, SaveCreatesTheKeyAndWritesEveryValueThatLoadReadsBack) {
    Settings s;
    EXPECT_FALSE(LoadSettings(s, kNow));
    ASSERT_TRUE(SaveSettings(kSettings));
    std::vector<Raw> stored;
    for (const char* name : {"FilelistPath", "Startup", "TimeType", "NumDays", "NumStartup",
                             "LastDays", "LastStartup", "Formats", "Position"})
        stored.push_back(Get(kVelunda, name));
    // The seven values that 1.0 reads, as it wrote them; then Formats, and "leave the position"
    // as no value at all.
    EXPECT_EQ(stored, (std::vector<Raw>{Sz(kPath), Dw(1), Sz("startup"), Dw(32000), Dw(3),
                                        Dw(1783980000), Dw(-7), Dw(1), {}}));
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(Fields(s), Fields(kSettings));
    // Missing change markers load as today's midnight and zero.
    Put(kVelunda, "LastDays", {});
    Put(kVelunda, "LastStartup", {REG_BINARY, "\5\0"s});
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(std::pair(s.LastDays, s.LastStartup), std::pair(int32_t(LocalMidnight(kNow)), 0));
}

// Each row stores kSettings with one value replaced, then loads. TimeType is unterminated.
TEST_F(SettingsStore, ARequiredValueMissingOrNotFittingItsBufferFailsTheLoad) {
    const std::string p260(260, 'p'), t29(29, 't');
    const std::tuple<const char*, Raw, bool> rows[] = {
        {"FilelistPath", Sz(p260), true},          {"FilelistPath", Sz(p260 + 'p'), false},
        {"TimeType", {REG_BINARY, t29}, true},     {"TimeType", {REG_BINARY, t29 + 't'}, false},
        {"NumDays", {REG_BINARY, "\5\0"s}, false}, {"Startup", {}, false},
        {"NumStartup", {}, false}};
    for (const auto& [name, raw, loads] : rows) {
        ASSERT_TRUE(SaveSettings(kSettings));
        Put(kVelunda, name, raw);
        Settings s;
        EXPECT_EQ(LoadSettings(s, kNow), loads) << name << ' ' << raw.second.size();
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
    EXPECT_EQ(Get(kVelunda, "Startup"), Raw{});
    SaveChangeMarker(kSettings, true, kNow);
    EXPECT_EQ(Get(kVelunda, "LastStartup"), Dw(-7));
    EXPECT_EQ(boxes, std::vector<std::string>(2, "Erreur d'allocation m\351moire"));
    settings::SetBlockAllocator(nullptr);
    const std::string link = StartupShortcutPath();
    std::ofstream(link) << "kept";
    settings::SetValueWriter(FailOnTimeType);
    CWallpaperApp app;
    EXPECT_FALSE(app.SaveSettings());
    EXPECT_EQ((std::vector{Get(kVelunda, "Startup"), Get(kVelunda, "TimeType"),
                           Get(kVelunda, "NumDays")}),
              (std::vector<Raw>{Dw(0), {}, {}}));
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}
