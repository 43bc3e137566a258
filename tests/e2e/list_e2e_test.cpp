// Start-up reads the list file in both run modes; a missing one is reported.

#include <gtest/gtest.h>

#include "harness.h"

namespace {

// Settings under which a logon run changes nothing: the next change is far off.
void StoreSettings(const std::string& listPath) {
    e2e::DeleteSettings();
    e2e::SetString("FilelistPath", listPath);
    e2e::SetDword("Startup", 0);
    e2e::SetString("TimeType", "days");
    e2e::SetDword("NumDays", 1000);
    e2e::SetDword("NumStartup", 1);
    e2e::SetDword("LastDays", static_cast<uint32_t>(e2e::TodayMidnight()));
    e2e::SetDword("LastStartup", 0);
}

TEST(ListAtStartUp, MissingListShowsTheLoadMessageInBothRunModes) {
    const std::string dir = e2e::MakeTempDir();
    StoreSettings(dir + "\\absent.dat");

    const e2e::RunResult logon = e2e::Run("/startup");
    EXPECT_TRUE(logon.finished);
    EXPECT_FALSE(logon.sawMainWindow);
    ASSERT_EQ(logon.boxes.size(), 1u);
    EXPECT_EQ(logon.boxes[0].caption, "Velunda");
    EXPECT_EQ(logon.boxes[0].text, "Erreur de chargement de la liste (2)");

    e2e::RunOptions close;
    close.onMainWindow = [](HWND hwnd) { PostMessageA(hwnd, WM_CLOSE, 0, 0); };
    const e2e::RunResult interactive = e2e::Run("", close);
    EXPECT_TRUE(interactive.finished);
    EXPECT_TRUE(interactive.sawMainWindow);
    ASSERT_GE(interactive.boxes.size(), 1u);
    EXPECT_EQ(interactive.boxes[0].text, "Erreur de chargement de la liste (2)");

    e2e::DeleteSettings();
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
