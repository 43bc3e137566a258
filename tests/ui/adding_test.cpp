// Files dropped on the real main window: a drop built in memory as the shell builds it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "res/resource.h"
#include "support/dialog_driver.h"
#include "support/process_harness.h"
#include "ui/app_data.h"
#include "ui/main_dlg.h"
#include "ui/shell_files.h"

namespace {

std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// DROPFILES, then the wide names, each ended by a NUL, and one more NUL.
HGLOBAL Drop(const std::vector<std::wstring>& paths) {
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    const size_t bytes = (names.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(drop + 1, names.c_str(), bytes);
    GlobalUnlock(memory);
    return memory;
}

TEST(MainWindow, AddsDroppedPicturesAndFoldersRefusingWhatAListCannotHold) {
    const std::string dir = e2e::MakeTempDir();  // ASCII, under Wine
    const std::wstring tree = Wide(dir + "\\tree"), polish = Wide(dir) + L"\\ł.bmp";
    CreateDirectoryW(tree.c_str(), nullptr);
    CreateDirectoryW((tree + L"\\sub").c_str(), nullptr);
    for (const char* name : {"\\a.bmp", "\\b.JPG", "\\x.txt", "\\tree\\c.png", "\\tree\\sub\\d.BMP",
                             "\\tree\\sub\\e.txt"})
        e2e::WriteBytes(dir + name, "BM");
    CloseHandle(CreateFileW(polish.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    // The longest path that a list file holds (259 bytes), and one byte more.
    const std::string fits = "\\" + std::string(254 - dir.size(), 'f') + ".bmp";
    const std::wstring tooLong = Wide(dir + "\\" + std::string(255 - dir.size(), 'f') + ".bmp");
    int files = 0;
    EXPECT_FALSE(ForEachFile({tree}, 2, [&](const std::wstring&) { ++files; }));
    EXPECT_TRUE(ForEachFile({tree}, 3, [&](const std::wstring&) { ++files; }));
    EXPECT_EQ(files, 5);

    AppData app;
    app.Formats = 1;
    CMainDlg dlg(app);
    DialogDriver driver([&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda");
        std::vector<std::wstring> dropped{polish, tooLong, tree};
        for (const char* name : {"\\a.bmp", "\\b.JPG", "\\x.txt", fits.c_str()})
            dropped.push_back(Wide(dir + name));
        PostMessageA(main, WM_DROPFILES, WPARAM(Drop(dropped)), 0);
        d.Answer(IDOK);
        d.Sync(main);
        EXPECT_EQ(SendDlgItemMessageA(main, IDC_WALLPAPER_LIST, LB_GETCOUNT, 0, 0), 5);
        PostMessageA(main, WM_CLOSE, 0, 0);
        d.Answer(IDNO);
    });
    dlg.DoModal();
    driver.Finish();
    std::vector<std::string> entries, expected{"\\a.bmp|bmp", "\\b.JPG|JPG", fits + "|bmp",
                                               "\\tree\\c.png|png", "\\tree\\sub\\d.BMP|BMP"};
    for (const CWallpaperEntry& e : app.wallpaperList)
        entries.push_back(e.path + "|" + e.ext + "|" + std::to_string(e.rating));
    for (std::string& entry : expected) entry = dir + entry + "|3";
    std::sort(entries.begin(), entries.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(app.ratingSum, 15);
    EXPECT_EQ(driver.seen,
              (std::vector<Seen>{{"Velunda", "5 fonds d'écran ajoutés, 2 laissés de côté :\n"
                                             "- 1 chemin trop long (plus de 259 caractères)\n- 1 nom "
                                             "avec des caractères que la liste ne peut pas enregistrer"},
                                 {"Quitter Velunda", "Changements non sauvegardés.\nVoulez-vous "
                                                     "sauver avant de quitter ?"}}));
}

}  // namespace
