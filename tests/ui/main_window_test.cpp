// The main window under Wine, at the screen's DPI: ui/at_dpi.sh runs it at 144 and 192 DPI too.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/wallpaper_app.h"
#include "res/resource.h"
#include "support/dialog_driver.h"
#include "support/registry.h"

namespace {

bool Fills(HWND main) {  // the list box is as large as the client area
    RECT box{}, client{};
    GetWindowRect(GetDlgItem(main, IDC_WALLPAPER_LIST), &box);
    GetClientRect(main, &client);
    return box.right - box.left == client.right && box.bottom - box.top == client.bottom;
}

// Lines as tall as their text and the frame, icons for the DPI, a list that follows the window,
// which opens where it was left: off every monitor (moved onto one), then maximized.
TEST(MainWindow, FitsItsTextAndOpensWhereItWasLeft) {
    const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY);
    if (const char* set = std::getenv("VELUNDA_DPI")) {
        ASSERT_EQ(dpi, std::atoi(set)) << "LogPixels";
    }
    reg::DeleteSettings();
    const auto list = std::filesystem::temp_directory_path() / "velunda-window.vdl";
    std::ofstream(list, std::ios::binary) << listbytes::Header(0, 0);
    Settings settings{0, 0, 1, 1, L"days", false, list.wstring()};
    settings.Placement = win::WindowPlacement{{9000, 9000, 9700, 9500}, false};
    ASSERT_TRUE(SaveSettings(settings));
    RECT resized{20, 30, 680, 510};
    const auto first = [&](DialogDriver& d) {
        const HWND main = d.Wait(L"Velunda"), box = GetDlgItem(main, IDC_WALLPAPER_LIST);
        RECT at{};
        GetWindowRect(main, &at);
        EXPECT_TRUE(MonitorFromRect(&at, MONITOR_DEFAULTTONULL));
        EXPECT_EQ(std::pair(at.right - at.left, at.bottom - at.top), std::pair(700L, 500L));
        TEXTMETRICW text{};
        const HDC dc = GetDC(box);
        SelectObject(dc, HGDIOBJ(SendMessageW(box, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc, &text);
        EXPECT_GE(text.tmHeight, MulDiv(8, dpi, 72));  // 8 points
        EXPECT_GE(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0), text.tmHeight + 2);
        ICONINFO icon{};  // the caption's icon at this DPI
        BITMAP small{};
        GetIconInfo(HICON(SendMessageW(main, WM_GETICON, ICON_SMALL, 0)), &icon);
        GetObjectW(icon.hbmColor, sizeof small, &small);
        EXPECT_EQ(small.bmWidth, MulDiv(16, dpi, 96));
        // Sized as on a move to another monitor, then maximized.
        SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&resized));
        d.Until([&] { return Fills(main); }, L"the list follows the window");
        GetWindowRect(main, &at);
        EXPECT_TRUE(EqualRect(&at, &resized));
        SendMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(Fills(main));
        PostMessageW(main, WM_CLOSE, 0, 0);
    };
    const auto second = [&](DialogDriver& d) {
        const HWND main = d.Wait(L"Velunda");
        d.Until([&] { return IsZoomed(main); }, L"maximized again");
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(main, &placement);
        EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, &resized));
        // At the least, 100 dialog units of list below a menu on one line.
        SendMessageW(main, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetWindowPos(main, nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER);
        RECT least{0, 0, 160, 100}, client{};
        MapDialogRect(main, &least);
        GetClientRect(main, &client);
        EXPECT_EQ(std::pair(client.right >= least.right, client.bottom),
                  std::pair(true, least.bottom));
        PostMessageW(main, WM_CLOSE, 0, 0);
    };
    for (const DialogDriver::Script& run :
         {DialogDriver::Script(first), DialogDriver::Script(second)}) {
        CWallpaperApp app;
        DialogDriver driver(run);
        app.InitInstance();
        driver.Finish();
        EXPECT_EQ(driver.seen, std::vector<Seen>{});
    }
}

// Windows reads the program's DPI awareness from its manifest resource.
TEST(MainWindow, ManifestAsksForPerMonitorDpi) {
    const HMODULE exe = LoadLibraryExW(L"Velunda.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                               SizeofResource(exe, found));
    for (const char* element : {">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>"})
        EXPECT_NE(manifest.find(element), std::string::npos) << element;
}

}  // namespace
