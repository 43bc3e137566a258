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
const std::wstring kPath = L"C:\\Listes \u0141\u00F3d\u017A\\\u00E9t\u00E9 \u7167\u7247.dat";
const Settings kSettings{-7, 1783980000, 3, 32000, L"startup", true, kPath, 1, -1, 1};

using SettingsStore = Clean;

}  // namespace

TEST_F(SettingsStore, SaveCreatesTheKeyAndWritesEveryValueThatLoadReadsBack) {
    Settings s;
    EXPECT_FALSE(LoadSettings(s, kNow));
    ASSERT_TRUE(SaveSettings(kSettings));
    // The seven values that 1.0 reads, as it wrote them; then Formats, "leave the position" as
    // no value at all, and Monitors.
    const std::pair<const wchar_t*, Raw> written[] = {
        {L"FilelistPath", Sz(kPath)}, {L"Startup", Dw(1)},    {L"TimeType", Sz(L"startup")},
        {L"NumDays", Dw(32000)},      {L"NumStartup", Dw(3)}, {L"LastDays", Dw(1783980000)},
        {L"LastStartup", Dw(-7)},     {L"Formats", Dw(1)},    {L"Position", {}},
        {L"Monitors", Dw(1)}};
    for (const auto& [name, raw] : written) EXPECT_EQ(Get(kVelunda, name), raw) << name;
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(Fields(s), Fields(kSettings));
    // Missing change markers load as today's midnight and zero.
    Put(kVelunda, L"LastDays", {});
    Put(kVelunda, L"LastStartup", {REG_BINARY, "\5\0"s});
    ASSERT_TRUE(LoadSettings(s, kNow));
    EXPECT_EQ(std::pair(s.LastDays, s.LastStartup), std::pair(int32_t(LocalMidnight(kNow)), 0));
}

// Each row stores kSettings with one value replaced, then loads. TimeType is unterminated.
// Lengths count characters, whatever the code page would make of them.
TEST_F(SettingsStore, ARequiredValueMissingOrNotFittingItsBufferFailsTheLoad) {
    const std::wstring p260(260, L'\u0142'), t29(29, L't');
    // clang-format off
    const std::tuple<const wchar_t*, Raw, bool> rows[] = {
        {L"FilelistPath", Sz(p260), true},    {L"FilelistPath", Sz(p260 + L'p'), false},
        {L"TimeType", {REG_SZ, Utf16(t29)}, true}, {L"TimeType", {REG_SZ, Utf16(t29 + L't')}, false},
        {L"NumDays", {REG_BINARY, "\5\0"s}, false}, {L"Startup", {}, false},
        {L"NumStartup", {}, false}};
    // clang-format on
    for (const auto& [name, raw, loads] : rows) {
        ASSERT_TRUE(SaveSettings(kSettings));
        Put(kVelunda, name, raw);
        Settings s;
        EXPECT_EQ(LoadSettings(s, kNow), loads) << name << ' ' << raw.second.size();
    }
}

// Without the disposition block the save writes nothing, though the change marker goes on.
TEST_F(SettingsStore, WithoutTheDispositionBlockOnlyTheChangeMarkerIsWritten) {
    settings::SetBlockAllocator([]() -> DWORD* { return nullptr; });
    EXPECT_FALSE(SaveSettings(kSettings));
    EXPECT_EQ(Get(kVelunda, L"Startup"), Raw{});
    SaveChangeMarker(kSettings, true, kNow);
    EXPECT_EQ(Get(kVelunda, L"LastStartup"), Dw(-7));
    EXPECT_EQ(boxes, std::vector<std::wstring>(2, L"Erreur d'allocation mémoire"));
    settings::SetBlockAllocator(nullptr);
}
