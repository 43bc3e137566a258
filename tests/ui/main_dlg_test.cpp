// The main window run modally in this thread; the driver answers its real
// message boxes from a second thread.
#include <gtest/gtest.h>

#include <algorithm>

#include "res/resource.h"
#include "support/list_bytes.h"
#include "support/process_harness.h"
#include "ui/app_data.h"
#include "ui/main_dlg.h"
#include "win/message_box.h"

namespace {

TEST(MainWindow, KeepsTheChangesUnsavedAndStaysOpenWhileTheSaveFails) {
    AppData app;
    app.wallpaperList.AddTail(CWallpaperEntry("bmp", "C:\\a.bmp", 3));
    app.ratingSum = 3;
    app.listModified = true;
    const std::string dir = e2e::MakeTempDir(), good = dir + "\\start.dat";
    app.FilelistPath = dir + "\\missing\\start.dat";
    CMainDlg dlg(app);
    DialogDriver driver([&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda"), list = GetDlgItem(main, IDC_WALLPAPER_LIST);
        d.Post(main, ID_FILE_SAVE_STARTUP);
        d.Answer(IDYES);
        d.Answer(IDOK);  // the save failed
        d.Sync(main);
        EXPECT_TRUE(app.listModified);
        for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageA(list, WM_KEYDOWN, key, 0);
        d.Answer(IDYES);  // Escape asks; Enter did nothing
        d.Answer(IDOK);   // failed again: the window stays
        d.Sync(main);
        EXPECT_TRUE(IsWindowVisible(main));
        app.FilelistPath = good;
        d.Post(main, ID_FILE_SAVE_STARTUP);
        d.Answer(IDYES);
        d.Sync(main);
        EXPECT_FALSE(app.listModified);
        PostMessageA(main, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    driver.Finish();
    EXPECT_EQ(e2e::ReadBytes(good),
              listbytes::Header(1, 3) + listbytes::Record("C:\\a.bmp", "bmp", 3));
    const Seen save{"Velunda", "Voulez-vous sauvegarder les changements de la liste ?"},
        close{"Quitter Velunda",
              "Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?"},
        failed{win::AppTitle(), "Erreur d'enregistrement de la liste (3)"};
    EXPECT_EQ(driver.seen, (std::vector<Seen>{save, failed, close, failed, save}));
}

// With prefixes, each "&&" would draw as one "&": the line would end half-way.
TEST(WallpaperListBox, DrawsAmpersandsAsTheyAre) {
    const CWallpaperEntry entry("bmp", std::string(30, '&'), 3);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, 600, 20),
                  old = HBITMAP(SelectObject(dc, bitmap));
    PatBlt(dc, 0, 0, 600, 20, WHITENESS);
    CWallpaperListBox().DrawItem(
        {ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, 0, nullptr, dc, {0, 0, 600, 20}, ULONG_PTR(&entry)});
    SIZE whole{};
    GetTextExtentPoint32A(dc, (entry.path + " [3]").c_str(), 34, &whole);
    int right = 0;
    for (int i = 0; i < 600 * 20; ++i)
        if (GetPixel(dc, i % 600, i / 600) != RGB(255, 255, 255)) right = std::max(right, i % 600);
    EXPECT_GT(right, whole.cx * 3 / 4);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

}  // namespace
