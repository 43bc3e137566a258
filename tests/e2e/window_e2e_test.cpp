#include <gtest/gtest.h>

#include "harness.h"

TEST(InteractiveRun, ShowsTheMainWindowAndEndsWhenItCloses) {
    e2e::DeleteSettings();
    std::string caption;
    e2e::RunOptions options;
    options.onMainWindow = [&](HWND hwnd) {
        char text[64] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        caption = text;
        EXPECT_NE(GetDlgItem(hwnd, 1004), nullptr);
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    };
    const e2e::RunResult run = e2e::Run("", options);
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(run.sawMainWindow);
    EXPECT_EQ(caption, "Velunda");
    e2e::DeleteSettings();
}
