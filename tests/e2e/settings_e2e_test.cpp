// Start-up and the schedule, seen from outside: what whole runs of
// Velunda.exe leave in the registry.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "harness.h"

namespace {

// 2001-09-09 00:00 UTC: a change made long ago.
constexpr uint32_t kOldMidnight = 1000000000u - 1000000000u % 86400u;

std::string SpecialFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
    return folder;
}

bool VendorKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Zarnovell Software", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class SettingsRun : public ::testing::Test {
protected:
    void SetUp() override { e2e::DeleteSettings(); }
    void TearDown() override {
        e2e::DeleteSettings();
        DeleteFileA((SpecialFolder(CSIDL_STARTUP) + "\\Velunda.lnk").c_str());
    }

    // Settings as an interactive run stores them, with an empty list file.
    void SeedSettings(const std::string& timeType) {
        const std::string list = e2e::MakeTempDir() + "\\empty.dat";
        e2e::WriteBytes(list, {0x03, '1', '.', '0', 0, 0, 0, 0, 0, 0, 0, 0});
        e2e::SetString("FilelistPath", list);
        e2e::SetDword("Startup", 0);
        e2e::SetString("TimeType", timeType);
        e2e::SetDword("NumDays", 1);
        e2e::SetDword("NumStartup", 3);
        e2e::SetDword("LastDays", kOldMidnight);
        e2e::SetDword("LastStartup", 0);
    }

    static void ExpectQuietLogonRun() {
        const e2e::RunResult run = e2e::Run("/startup");
        EXPECT_TRUE(run.finished);
        EXPECT_FALSE(run.sawMainWindow);
        EXPECT_TRUE(run.boxes.empty());
    }
};

TEST_F(SettingsRun, FirstLogonRunWritesNothing) {
    ExpectQuietLogonRun();
    EXPECT_FALSE(VendorKeyExists());
}

TEST_F(SettingsRun, DueDaysRunMovesLastDaysToTodaysMidnight) {
    SeedSettings("days");
    const int32_t before = e2e::TodayMidnight();
    ExpectQuietLogonRun();
    const int32_t after = e2e::TodayMidnight();
    const auto lastDays = e2e::GetDword("LastDays");
    ASSERT_TRUE(lastDays);
    EXPECT_TRUE(static_cast<int32_t>(*lastDays) == before || static_cast<int32_t>(*lastDays) == after)
        << *lastDays << " " << before;
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);

    // Changed today: the next run is not due and writes nothing.
    e2e::SetDword("LastDays", static_cast<uint32_t>(after));
    e2e::SetDword("NumDays", 2);
    ExpectQuietLogonRun();
    EXPECT_EQ(e2e::GetDword("LastDays"), static_cast<uint32_t>(after));
}

TEST_F(SettingsRun, StartupRunsStoreTheRaisedCounter) {
    SeedSettings("startup");
    for (uint32_t expected : {1u, 2u, 0u}) {
        ExpectQuietLogonRun();
        EXPECT_EQ(e2e::GetDword("LastStartup"), expected);
    }
    EXPECT_EQ(e2e::GetDword("LastDays"), kOldMidnight);
}

TEST_F(SettingsRun, ClosedFirstInteractiveRunStoresTheDefaults) {
    e2e::RunOptions options;
    options.onMainWindow = [](HWND hwnd) { PostMessageA(hwnd, WM_CLOSE, 0, 0); };
    const int32_t before = e2e::TodayMidnight();
    const e2e::RunResult run = e2e::Run("", options);
    const int32_t after = e2e::TodayMidnight();
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(run.sawMainWindow);
    EXPECT_TRUE(run.boxes.empty());

    EXPECT_EQ(e2e::GetString("FilelistPath"), SpecialFolder(CSIDL_PERSONAL) + "\\Velunda.dat");
    EXPECT_EQ(e2e::GetDword("Startup"), 1u);
    EXPECT_EQ(e2e::GetString("TimeType"), "days");
    EXPECT_EQ(e2e::GetDword("NumDays"), 1u);
    EXPECT_EQ(e2e::GetDword("NumStartup"), 1u);
    const auto lastDays = e2e::GetDword("LastDays");
    ASSERT_TRUE(lastDays);
    EXPECT_TRUE(static_cast<int32_t>(*lastDays) == before || static_cast<int32_t>(*lastDays) == after);
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);
}

}  // namespace
