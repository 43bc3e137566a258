// The settings store against the real registry under Wine.
#include <gtest/gtest.h>

#include "settings/local_midnight.h"
#include "settings/settings_store_win.h"
#include "settings/settings_seams_win.h"
#include "support/registry.h"

using namespace reg;
using namespace std::string_literals;

namespace {

constexpr std::time_t kNow = 1784041200;  // 2026-07-14 15:00 UTC
const std::string kPath = "C:\\Listes\\\xE9t\xE9.dat";
const Settings kSettings{-7, 1783980000, 3, 32000, "startup", true, kPath, 1, -1};

struct SettingsStore : Clean {
    void TearDown() override { settings::SetBlockAllocator(nullptr), Clean::TearDown(); }
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
    const std::vector<Raw> written{Sz(kPath),      Dw(1),  Sz("startup"), Dw(32000), Dw(3),
                                   Dw(1783980000), Dw(-7), Dw(1),         {}};
    EXPECT_EQ(stored, written);
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
    // clang-format off
    const std::tuple<const char*, Raw, bool> rows[] = {
        {"FilelistPath", Sz(p260), true},          {"FilelistPath", Sz(p260 + 'p'), false},
        {"TimeType", {REG_BINARY, t29}, true},     {"TimeType", {REG_BINARY, t29 + 't'}, false},
        {"NumDays", {REG_BINARY, "\5\0"s}, false}, {"Startup", {}, false},
        {"NumStartup", {}, false}};
    // clang-format on
    for (const auto& [name, raw, loads] : rows) {
        ASSERT_TRUE(SaveSettings(kSettings));
        Put(kVelunda, name, raw);
        Settings s;
        EXPECT_EQ(LoadSettings(s, kNow), loads) << name << ' ' << raw.second.size();
    }
}

DWORD* NoBlock() { return nullptr; }

// Without the disposition block the save writes nothing, though the change marker goes on.
TEST_F(SettingsStore, WithoutTheDispositionBlockOnlyTheChangeMarkerIsWritten) {
    settings::SetBlockAllocator(NoBlock);
    EXPECT_FALSE(SaveSettings(kSettings));
    EXPECT_EQ(Get(kVelunda, "Startup"), Raw{});
    SaveChangeMarker(kSettings, true, kNow);
    EXPECT_EQ(Get(kVelunda, "LastStartup"), Dw(-7));
    EXPECT_EQ(boxes, std::vector<std::string>(2, "Erreur d'allocation m\351moire"));
}
