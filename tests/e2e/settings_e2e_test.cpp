#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "harness.h"

namespace {

constexpr uint32_t kOldMidnight = 999993600u;  // 2001-09-09 00:00 UTC

std::string SpecialFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
    return folder;
}

class SettingsRun : public ::testing::Test {
protected:
    void SetUp() override { e2e::DeleteSettings(); }
    void TearDown() override {
        e2e::DeleteSettings();
        DeleteFileA((SpecialFolder(CSIDL_STARTUP) + "\\Velunda.lnk").c_str());
    }

    // As an interactive run stores them, with an empty list file.
    static void SeedSettings(const std::string& timeType) {
        const std::string list = e2e::MakeTempDir() + "\\empty.dat";
        e2e::WriteBytes(list, {0x03, '1', '.', '0', 0, 0, 0, 0, 0, 0, 0, 0});
        e2e::SetString("FilelistPath", list);
        e2e::SetString("TimeType", timeType);
        for (auto [name, value] : {std::pair{"Startup", 0u}, {"NumDays", 1u}, {"NumStartup", 3u},
                                   {"LastDays", kOldMidnight}, {"LastStartup", 0u}})
            e2e::SetDword(name, value);
    }

    static void ExpectQuietLogonRun() {
        const e2e::RunResult run = e2e::Run("/startup");
        EXPECT_TRUE(run.finished && !run.sawMainWindow && run.boxes.empty());
    }

    // Today's midnight on either side of the run, which may cross midnight.
    static void ExpectToday(int32_t before) {
        const auto lastDays = e2e::GetDword("LastDays");
        EXPECT_TRUE(lastDays == uint32_t(before) || lastDays == uint32_t(e2e::TodayMidnight()));
    }
};

TEST_F(SettingsRun, DueDaysRunMovesLastDaysToTodaysMidnight) {
    SeedSettings("days");
    const int32_t before = e2e::TodayMidnight();
    ExpectQuietLogonRun();
    ExpectToday(before);
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);
}

TEST_F(SettingsRun, StartupRunsStoreTheRaisedCounter) {
    SeedSettings("startup");
    for (uint32_t expected : {1u, 2u, 0u}) {
        ExpectQuietLogonRun();
        EXPECT_EQ(e2e::GetDword("LastStartup"), expected);
    }
    EXPECT_EQ(e2e::GetDword("LastDays"), kOldMidnight);
}

TEST_F(SettingsRun, FirstLogonRunWritesNothingFirstInteractiveRunStoresTheDefaults) {
    ExpectQuietLogonRun();
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Zarnovell Software", 0, KEY_READ, &key),
              ERROR_SUCCESS);

    std::string caption;
    e2e::RunOptions options;
    options.onMainWindow = [&](HWND hwnd) {
        char text[64] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        caption = text;
        EXPECT_NE(GetDlgItem(hwnd, 1004), nullptr);
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    };
    const int32_t before = e2e::TodayMidnight();
    const e2e::RunResult run = e2e::Run("", options);
    EXPECT_TRUE(run.finished && run.sawMainWindow && run.boxes.empty());
    EXPECT_EQ(caption, "Velunda");
    EXPECT_EQ(e2e::GetString("FilelistPath"), SpecialFolder(CSIDL_PERSONAL) + "\\Velunda.dat");
    EXPECT_EQ(e2e::GetDword("Startup"), 1u);
    EXPECT_EQ(e2e::GetString("TimeType"), "days");
    EXPECT_EQ(e2e::GetDword("NumDays"), 1u);
    EXPECT_EQ(e2e::GetDword("NumStartup"), 1u);
    ExpectToday(before);
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);
}

}  // namespace
