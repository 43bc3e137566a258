// The main window run modally in this thread; the driver answers its real
// message boxes and file dialogs from a second thread.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/wallpaper_app.h"
#include "dialog_driver.h"
#include "res/resource.h"
#include "ui/main_dlg.h"
#include "win/file_dialog.h"
#include "win/handles.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kNoSelection = "Velunda|Aucun fond d'écran sélectionné|O";
const std::string kSaveQuestion = "Velunda|Voulez-vous sauvegarder les changements de la liste ?|YN";
const std::string kCloseQuestion =
    "Quitter Velunda|Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?|YNC";
// Titled after the running program.
const auto kSaveError = ::testing::EndsWith("|Erreur d'enregistrement de la liste (3)|O");
const std::string kBmpDialog = "file|Fonds d'écran (.bmp)||ro";
const std::string kVdlDialog = "file|Listes de fonds d'écran (.vdl)|";
// One entry C:\a.bmp, bmp, 3, with the sum 3, as a list file holds it.
const std::string kOneEntryFile("\x03" "1.0" "\x01\0\0\0" "\x03\0\0\0" "\x08" "C:\\a.bmp" "\x03" "bmp"
                                "\x03\0\0\0", 29);

std::string TempDir() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}
std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Command(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
HWND List(HWND dlg) { return GetDlgItem(dlg, IDC_WALLPAPER_LIST); }
void Select(HWND dlg, int index) { SendMessageA(List(dlg), LB_SETCURSEL, index, 0); }
void Close(HWND dlg) { SendMessageA(dlg, WM_CLOSE, 0, 0); }

// The rating dialog, answered by the test in turn; 0 cancels.
struct TestMainDlg : CMainDlg {
    using CMainDlg::CMainDlg;
    std::vector<int32_t> ratings;
    std::vector<std::pair<std::string, int32_t>> asked;
    int drawn = 0;
    bool OnDrawItem(int id, DRAWITEMSTRUCT& item) override { return ++drawn, CMainDlg::OnDrawItem(id, item); }
    bool AskRating(const std::string& path, int32_t& rating) override {
        asked.emplace_back(path, rating);
        const int32_t answer = ratings.at(asked.size() - 1);
        if (answer) rating = answer;
        return answer != 0;
    }
};

class MainDlgTest : public ::testing::Test {
protected:
    CWallpaperApp app;
    TestMainDlg dlg{app};
    std::vector<std::string> seen;  // the boxes and file dialogs, in order

    void SetUp() override {
        app.FilelistPath = TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
        DeleteFileA(app.FilelistPath.c_str());
    }
    void Add(const std::string& path, int32_t rating) {
        app.ratingSum += rating;
        app.wallpaperList.AddTail(CWallpaperEntry("bmp", path, rating));
    }
    // "entries (name ext rating, head to tail) | items (entry indexes, top to bottom) | sum | modified"
    std::string State(HWND hwnd) {
        std::vector<const CWallpaperEntry*> entries;
        std::string s;
        for (const CWallpaperEntry& e : app.wallpaperList) {
            entries.push_back(&e);
            s += e.path.substr(e.path.rfind('\\') + 1) + " " + e.ext + " " + std::to_string(e.rating) + ", ";
        }
        s += "| items";
        for (LRESULT i = 0, n = SendMessageA(List(hwnd), LB_GETCOUNT, 0, 0); i < n; ++i) {
            const auto data = reinterpret_cast<const CWallpaperEntry*>(SendMessageA(List(hwnd), LB_GETITEMDATA, i, 0));
            s += " " + std::to_string(std::find(entries.begin(), entries.end(), data) - entries.begin());
        }
        return s + " | sum " + std::to_string(app.ratingSum) + " | modified " + std::to_string(app.listModified);
    }
    // Runs the window modally with `body` inside its loop once shown; `answers`
    // (button, typed file) go to the boxes and file dialogs in turn. Still open
    // 10 s after the body: ended with -2.
    INT_PTR Run(std::vector<std::pair<int, std::string>> answers, const std::function<void(HWND)>& body) {
        DialogDriver driver([&](DialogDriver& d) {
            for (const auto& [button, path] : answers) d.Answer(button, path);
        });
        static std::function<void()> start, stop;
        static UINT_PTR watchdog = 0;
        start = [&] { body(dlg.hwnd()); };
        stop = [&] { EndDialog(dlg.hwnd(), -2); };
        SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            start();
            watchdog = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { stop(); });
        });
        const INT_PTR result = dlg.DoModal();
        KillTimer(nullptr, watchdog);
        driver.Finish();
        EXPECT_THAT(driver.failures, IsEmpty());
        seen = driver.seen;
        return result;
    }
    void CloseUnchanged(HWND hwnd) {
        app.listModified = false;
        Close(hwnd);
    }
};

TEST_F(MainDlgTest, OpensSortedByPathIgnoringCaseThenRatingWithItsIcon) {
    for (auto [path, rating] : {std::pair{"C:\\b.bmp", 1}, {"C:\\a.bmp", 4}, {"c:\\A.BMP", 2}, {"C:\\B0.bmp", 5},
                                {"C:\\B.BMP", 1}})  // the same as the first: the list box places it
        Add(path, rating);
    EXPECT_EQ(Run({}, [&](HWND hwnd) {
        EXPECT_EQ(State(hwnd), "b.bmp bmp 1, a.bmp bmp 4, A.BMP bmp 2, B0.bmp bmp 5, B.BMP bmp 1, | items 2 1 4 0 3 | sum 13 | modified 0");
        dlg.drawn = 0;  // filled with its drawing off: on again since
        RedrawWindow(List(hwnd), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GE(dlg.drawn, 5);
        const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        EXPECT_NE(icon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), icon);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), icon);
        EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
        Close(hwnd);
    }), IDCANCEL);
    EXPECT_THAT(seen, IsEmpty()) << "closing unchanged asks nothing";
}

TEST_F(MainDlgTest, AddTakesTheFileFromTheRealOpenDialogTwiceOrNot) {
    const std::string file = TempDir() + "Plage.BMP";
    std::ofstream(file) << "BM";
    Run({{IDOK, file}, {IDOK, file}, {IDCANCEL, ""}}, [&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_ADD);
        EXPECT_EQ(State(hwnd), "Plage.BMP BMP 3, | items 0 | sum 3 | modified 1");
        EXPECT_EQ(app.wallpaperList.begin()->path, file);
        Command(hwnd, ID_WALLPAPER_ADD);  // the same file is a second entry
        EXPECT_THAT(State(hwnd), ::testing::StartsWith("Plage.BMP BMP 3, Plage.BMP BMP 3, | items"));
        EXPECT_THAT(State(hwnd), ::testing::EndsWith(" | sum 6 | modified 1"));
        app.listModified = false;
        const std::string before = State(hwnd);
        Command(hwnd, ID_WALLPAPER_ADD);  // cancelled
        EXPECT_EQ(State(hwnd), before);
        Close(hwnd);
    });
    EXPECT_THAT(seen, ElementsAre(kBmpDialog, kBmpDialog, kBmpDialog));
}

TEST_F(MainDlgTest, FileDialogsGetTheirFlagsExtensionsAndNames) {
    std::vector<std::pair<DWORD, std::string>> asked;
    win::SetFileDialogHandler([&](const win::FileDialog& d, std::string&) {
        asked.emplace_back(d.flags, d.defExt + "|" + d.GetPathName() + "|" + d.filter);
        return false;
    });
    Run({}, [&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_ADD);
        Command(hwnd, ID_LIST_OPEN);
        Command(hwnd, ID_LIST_SAVE);
        CloseUnchanged(hwnd);
    });
    win::SetFileDialogHandler(nullptr);
    const std::string bmp("Fonds d'écran (.bmp)\0*.bmp\0\0", 28);
    const std::string vdl("Listes de fonds d'écran (.vdl)\0*.vdl\0\0", 38);
    using Asked = std::pair<DWORD, std::string>;
    EXPECT_THAT(asked, ElementsAre(Asked(0x81800, "||" + bmp), Asked(0x81804, "||" + vdl),
                                   Asked(0x80802, ".vdl|Velunda.vdl|" + vdl)));
}

TEST_F(MainDlgTest, RemoveAndRateNeedASelectionAndRemoveTakesTheItemsEntry) {
    Add("C:\\z.bmp", 5);
    Add("C:\\a.bmp", 2);
    Run({{IDOK, ""}, {IDOK, ""}}, [&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_REMOVE);
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(State(hwnd), "z.bmp bmp 5, a.bmp bmp 2, | items 1 0 | sum 7 | modified 0");
        Select(hwnd, 0);  // item 0 is the list's second entry
        Command(hwnd, ID_WALLPAPER_REMOVE);
        EXPECT_EQ(State(hwnd), "z.bmp bmp 5, | items 0 | sum 5 | modified 1");
        EXPECT_EQ(SendMessageA(List(hwnd), LB_GETCURSEL, 0, 0), LB_ERR);
        Select(hwnd, 0);  // the only entry
        Command(hwnd, ID_WALLPAPER_REMOVE);
        EXPECT_EQ(State(hwnd), "| items | sum 0 | modified 1");
        CloseUnchanged(hwnd);
    });
    EXPECT_THAT(seen, ElementsAre(kNoSelection, kNoSelection));
    EXPECT_TRUE(dlg.asked.empty());
}

TEST_F(MainDlgTest, RateFromTheMenuOrADoubleClickThenNewListAndCloseAnsweredCancelAndNo) {
    Add("C:\\b.bmp", 2);
    Add("C:\\a.bmp", 3);
    dlg.ratings = {1, 4, 0, 4};
    Run({{IDCANCEL, ""}, {IDNO, ""}}, [&](HWND hwnd) {
        Select(hwnd, 1);
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(State(hwnd), "b.bmp bmp 1, a.bmp bmp 3, | items 1 0 | sum 4 | modified 1") << "not sorted again";
        app.listModified = false;
        Select(hwnd, 0);
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(List(hwnd)));
        EXPECT_EQ(State(hwnd), "b.bmp bmp 1, a.bmp bmp 4, | items 1 0 | sum 5 | modified 1");
        app.listModified = false;
        Command(hwnd, ID_WALLPAPER_RATING);  // cancelled
        EXPECT_FALSE(app.listModified);
        Command(hwnd, ID_WALLPAPER_RATING);  // the same rating still marks the list
        EXPECT_EQ(State(hwnd), "b.bmp bmp 1, a.bmp bmp 4, | items 1 0 | sum 5 | modified 1");

        Command(hwnd, ID_FILE_NEW_LIST);
        app.listModified = false;
        Command(hwnd, ID_FILE_NEW_LIST);  // on an empty list too
        EXPECT_EQ(State(hwnd), "| items | sum 0 | modified 1");
        Close(hwnd);
        EXPECT_TRUE(IsWindowVisible(hwnd)) << "Cancel keeps the window open";
        EXPECT_TRUE(app.listModified);
        Close(hwnd);
    });
    EXPECT_THAT(seen, ElementsAre(kCloseQuestion, kCloseQuestion));
    EXPECT_FALSE(FileExists(app.FilelistPath)) << "No writes nothing";
    using Asked = std::pair<std::string, int32_t>;
    EXPECT_THAT(dlg.asked, ElementsAre(Asked("C:\\b.bmp", 2), Asked("C:\\a.bmp", 3),
                                       Asked("C:\\a.bmp", 4), Asked("C:\\a.bmp", 4)));
}

TEST_F(MainDlgTest, SaveStartupAndCloseClearOrEndOnlyAfterASave) {
    Add("C:\\a.bmp", 3);
    const std::string startup = app.FilelistPath;
    app.listModified = true;
    // SaveList shows its own error (answered OK) when the folder is missing.
    EXPECT_EQ(Run({{IDNO, ""}, {IDYES, ""}, {IDOK, ""}, {IDYES, ""}, {IDOK, ""}, {IDYES, ""}, {IDYES, ""}},
                  [&](HWND hwnd) {
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_TRUE(app.listModified);
        EXPECT_FALSE(FileExists(startup));
        app.FilelistPath = TempDir() + "missing\\Velunda.dat";
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_TRUE(app.listModified) << "the save failed: the changes are still unsaved";
        Close(hwnd);
        EXPECT_TRUE(IsWindowVisible(hwnd)) << "Yes with a failed save keeps the window";
        app.FilelistPath = startup;
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_FALSE(app.listModified);
        EXPECT_EQ(ReadBytes(startup), kOneEntryFile);
        DeleteFileA(startup.c_str());
        app.listModified = true;
        Close(hwnd);
    }), IDCANCEL);
    EXPECT_THAT(seen, ElementsAre(kSaveQuestion, kSaveQuestion, kSaveError, kCloseQuestion, kSaveError, kSaveQuestion,
                                  kCloseQuestion));
    EXPECT_EQ(ReadBytes(startup), kOneEntryFile) << "Yes on closing saves";
    EXPECT_TRUE(app.listModified) << "closing clears nothing";
}

TEST_F(MainDlgTest, QuitAndEscapeGoThroughTheCloseQuestionAndEnterDoesNothing) {
    app.listModified = true;
    EXPECT_EQ(Run({{IDCANCEL, ""}, {IDNO, ""}}, [&](HWND hwnd) {
        SetFocus(List(hwnd));
        for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {  // Escape asks: Cancel
            PostMessageA(List(hwnd), WM_KEYDOWN, key, 0);
            for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
                if (!IsDialogMessageA(hwnd, &msg)) DispatchMessageA(&msg);
            EXPECT_TRUE(IsWindowVisible(hwnd)) << key;
        }
        Command(hwnd, ID_FILE_QUIT);  // posts WM_CLOSE: the loop asks again
    }), IDCANCEL);
    EXPECT_THAT(seen, ElementsAre(kCloseQuestion, kCloseQuestion));
}

TEST_F(MainDlgTest, OpenListReplacesTheListAndSaveListWritesItBack) {
    const std::string file = TempDir() + "open.vdl", named = TempDir() + "named";
    DeleteFileA((named + ".vdl").c_str());
    // Stored sum 99 on purpose: the file's value is taken as it is.
    std::ofstream(file, std::ios::binary) << std::string("\x03" "1.0" "\x02\0\0\0" "\x63\0\0\0" "\x08" "C:\\b.bmp"
        "\x03" "bmp" "\x05\0\0\0" "\x08" "C:\\a.bmp" "\x03" "BMP" "\x01\0\0\0", 46);
    Add("C:\\old.bmp", 4);
    Run({{IDCANCEL, ""}, {IDOK, file}, {IDOK, named}, {IDNO, ""}}, [&](HWND hwnd) {
        Command(hwnd, ID_LIST_OPEN);
        EXPECT_EQ(State(hwnd), "old.bmp bmp 4, | items 0 | sum 4 | modified 0") << "cancelled";
        Command(hwnd, ID_LIST_OPEN);
        EXPECT_EQ(State(hwnd), "b.bmp bmp 5, a.bmp BMP 1, | items 1 0 | sum 99 | modified 1");
        Command(hwnd, ID_LIST_SAVE);  // typed without extension; leaves the flag
        EXPECT_EQ(State(hwnd), "b.bmp bmp 5, a.bmp BMP 1, | items 1 0 | sum 99 | modified 1");
        Close(hwnd);
    });
    EXPECT_THAT(seen, ElementsAre(kVdlDialog, kVdlDialog, kVdlDialog + "Velunda.vdl", kCloseQuestion));
    EXPECT_EQ(ReadBytes(named + ".vdl"), ReadBytes(file));
}

TEST_F(MainDlgTest, HelpOpensTheReadmeInNotepad) {
    HWND notepad = nullptr;
    Run({}, [&](HWND hwnd) {
        Command(hwnd, ID_HELP_README);
        for (int i = 0; i < 300 && !notepad; ++i) {  // another process: up to 30 s
            Sleep(100);
            notepad = FindWindowA("Notepad", nullptr);
        }
        CloseUnchanged(hwnd);
    });
    ASSERT_NE(notepad, nullptr) << "Notepad never opened";
    std::vector<char> text(8192);
    SendMessageA(FindWindowExA(notepad, nullptr, "Edit", nullptr), WM_GETTEXT, text.size(),
                 reinterpret_cast<LPARAM>(text.data()));
    DWORD id = 0;
    GetWindowThreadProcessId(notepad, &id);
    const win::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    if (process) WaitForSingleObject(process.get(), 10000);
    // Our readme, read by Notepad as Windows-1252 ("é" is E9 in and out).
    const std::string shown = text.data();
    EXPECT_EQ(shown.rfind("Velunda 1.0 - Zarnovell Software\r\n", 0), 0u) << shown.substr(0, 80);
    EXPECT_NE(shown.find("le fond d'écran de votre bureau"), std::string::npos);
    EXPECT_EQ(CMainDlg::ReadmePath("C:\\Programmes\\Outils\\app.exe"), "C:\\Programmes\\Outils\\readme.txt");
    EXPECT_EQ(CMainDlg::ReadmePath("app.exe"), "app.exe\\readme.txt");
}

}  // namespace
