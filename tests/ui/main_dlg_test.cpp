// The main window, run modally in this thread and driven through its
// messages; the real message boxes and file dialogs are answered by the driver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>

#include "app/wallpaper_app.h"
#include "res/resource.h"
#include "ui/main_dlg.h"
#include "ui_test_util.h"
#include "win/file_dialog.h"
#include "win/handles.h"
#include "window_driver.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

const char kNoSelection[] = "Aucun fond d'écran sélectionné";
const char kSaveQuestion[] = "Voulez-vous sauvegarder les changements de la liste ?";
const char kCloseQuestion[] = "Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?";

// The rating dialog answered by the test.
class TestMainDlg : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    std::deque<std::optional<int32_t>> ratings;  // empty optional: cancelled
    std::vector<std::pair<std::string, int32_t>> asked;

protected:
    bool AskRating(const std::string& path, int32_t& rating) override {
        asked.emplace_back(path, rating);
        if (ratings.empty() || !ratings.front()) {
            if (!ratings.empty()) ratings.pop_front();
            return false;
        }
        rating = *ratings.front();
        ratings.pop_front();
        return true;
    }
};

void Command(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
HWND List(HWND dlg) { return GetDlgItem(dlg, IDC_WALLPAPER_LIST); }
void Select(HWND dlg, int index) { SendMessageA(List(dlg), LB_SETCURSEL, index, 0); }
int Selection(HWND dlg) { return static_cast<int>(SendMessageA(List(dlg), LB_GETCURSEL, 0, 0)); }

class MainDlgTest : public ::testing::Test {
protected:
    CWallpaperApp app;
    WindowDriver driver;
    TestMainDlg dlg{app};

    void SetUp() override {
        app.FilelistPath = TempDir() + "startup-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
        DeleteFileA(app.FilelistPath.c_str());
    }

    CWallpaperEntry& Add(const std::string& path, int32_t rating) {
        app.ratingSum += rating;
        return *app.wallpaperList.AddTail(CWallpaperEntry("bmp", path, rating));
    }

    INT_PTR Run(const std::function<void(HWND)>& body) {
        app.m_pMainWnd = &dlg;
        const INT_PTR result = RunModal(dlg, driver, body);
        app.m_pMainWnd = nullptr;
        EXPECT_TRUE(driver.AllAnswered()) << "a dialog the test waited for never came";
        return result;
    }

    // Closes with listModified 0: no question.
    void CloseUnchanged(HWND hwnd) {
        app.listModified = false;
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    }

    void ExpectItemsMatchList(HWND hwnd) {
        EXPECT_THAT(Items(hwnd), UnorderedElementsAreArray(Entries(app)));
    }
};

TEST_F(MainDlgTest, OpensWithTheListSortedByPathIgnoringCaseThenRating) {
    CWallpaperEntry& b = Add("C:\\b.bmp", 1);
    CWallpaperEntry& a4 = Add("C:\\a.bmp", 4);
    CWallpaperEntry& a2 = Add("c:\\A.BMP", 2);
    CWallpaperEntry& upper = Add("C:\\B0.bmp", 5);
    const INT_PTR result = Run([&](HWND hwnd) {
        EXPECT_THAT(Items(hwnd), ElementsAre(&a2, &a4, &b, &upper));
        EXPECT_EQ(Selection(hwnd), LB_ERR);
        const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), icon);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), icon);
        EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(driver.seen.empty()) << "closing unchanged asks nothing";
}

TEST_F(MainDlgTest, AddTakesTheFileFromTheRealOpenDialog) {
    const std::string file = TempDir() + "Plage.BMP";
    WriteBytes(file, "BM");
    driver.AnswerFile(file);
    driver.AnswerFile(file);
    driver.CancelFile();
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_ADD);
        ASSERT_EQ(app.wallpaperList.GetCount(), 1);
        const CWallpaperEntry& added = *app.wallpaperList.begin();
        EXPECT_EQ(added.path, file);
        EXPECT_EQ(added.ext, "BMP");
        EXPECT_EQ(added.rating, 3);
        EXPECT_EQ(app.ratingSum, 3);
        EXPECT_TRUE(app.listModified);
        EXPECT_THAT(Items(hwnd), ElementsAre(&added));

        // The same file again is a second entry.
        Command(hwnd, ID_WALLPAPER_ADD);
        EXPECT_EQ(app.wallpaperList.GetCount(), 2);
        EXPECT_EQ(app.ratingSum, 6);
        ExpectItemsMatchList(hwnd);

        // Cancelled: nothing changes.
        app.listModified = false;
        Command(hwnd, ID_WALLPAPER_ADD);
        EXPECT_EQ(app.wallpaperList.GetCount(), 2);
        EXPECT_EQ(app.ratingSum, 6);
        EXPECT_FALSE(app.listModified);
        app.listModified = true;
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(driver.seen.size(), 4u);
    EXPECT_TRUE(driver.seen[0].fileDialog);
    EXPECT_EQ(driver.seen[0].filter, "Fonds d'écran (.bmp)");
    EXPECT_EQ(driver.seen[0].fileName, "");
    EXPECT_TRUE(driver.seen[0].readOnlyBox);
    EXPECT_EQ(driver.seen[3].text, kCloseQuestion);
}

TEST_F(MainDlgTest, FileDialogsGetTheirFlagsExtensionsAndNames) {
    std::vector<std::pair<DWORD, std::string>> asked;
    win::SetFileDialogHandler([&](const win::FileDialog& d, std::string&) {
        asked.emplace_back(d.flags, d.defExt + "|" + d.GetPathName() + "|" + d.filter);
        return false;
    });
    Run([&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_ADD);
        Command(hwnd, ID_LIST_OPEN);
        Command(hwnd, ID_LIST_SAVE);
        CloseUnchanged(hwnd);
    });
    win::SetFileDialogHandler(nullptr);
    const std::string bmp("Fonds d'écran (.bmp)\0*.bmp\0\0", 28);
    const std::string vdl("Listes de fonds d'écran (.vdl)\0*.vdl\0\0", 38);
    EXPECT_THAT(asked, ElementsAre(std::pair<DWORD, std::string>(0x81800, "||" + bmp),
                                   std::pair<DWORD, std::string>(0x81804, "||" + vdl),
                                   std::pair<DWORD, std::string>(0x80802, ".vdl|Velunda.vdl|" + vdl)));
}

TEST_F(MainDlgTest, RemoveAndRatingWithoutSelectionOnlyComplain) {
    Add("C:\\a.bmp", 2);
    driver.AnswerBox(IDOK);
    driver.AnswerBox(IDOK);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_REMOVE);
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(app.wallpaperList.GetCount(), 1);
        EXPECT_EQ(app.ratingSum, 2);
        EXPECT_FALSE(app.listModified);
        EXPECT_TRUE(dlg.asked.empty());
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(driver.seen.size(), 2u);
    for (const auto& box : driver.seen) {
        EXPECT_EQ(box.caption, "Velunda");
        EXPECT_EQ(box.text, kNoSelection);
        EXPECT_TRUE(box.ok);
        EXPECT_FALSE(box.yes || box.no || box.cancel);
    }
}

TEST_F(MainDlgTest, RemoveTakesTheSelectedItemsEntry) {
    CWallpaperEntry& z = Add("C:\\z.bmp", 5);
    CWallpaperEntry& a = Add("C:\\a.bmp", 2);
    Run([&](HWND hwnd) {
        // Item 0 is the list's second entry.
        Select(hwnd, 0);
        Command(hwnd, ID_WALLPAPER_REMOVE);
        EXPECT_THAT(Entries(app), ElementsAre(&z));
        EXPECT_THAT(Items(hwnd), ElementsAre(&z));
        EXPECT_EQ(app.ratingSum, 5);
        EXPECT_TRUE(app.listModified);
        EXPECT_EQ(Selection(hwnd), LB_ERR);

        // The only entry: an empty list and list box.
        Select(hwnd, 0);
        Command(hwnd, ID_WALLPAPER_REMOVE);
        EXPECT_TRUE(app.wallpaperList.IsEmpty());
        EXPECT_TRUE(Items(hwnd).empty());
        EXPECT_EQ(app.ratingSum, 0);
        CloseUnchanged(hwnd);
    });
    (void)a;
}

TEST_F(MainDlgTest, NewListEmptiesEverythingAndAlwaysMarksTheList) {
    Add("C:\\a.bmp", 2);
    Add("C:\\b.bmp", 4);
    driver.AnswerBox(IDCANCEL);
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_FILE_NEW_LIST);
        EXPECT_TRUE(app.wallpaperList.IsEmpty());
        EXPECT_TRUE(Items(hwnd).empty());
        EXPECT_EQ(app.ratingSum, 0);
        EXPECT_TRUE(app.listModified);

        // On an empty list too, so closing asks.
        app.listModified = false;
        Command(hwnd, ID_FILE_NEW_LIST);
        EXPECT_TRUE(app.listModified);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(hwnd)) << "Cancel keeps the window open";
        EXPECT_TRUE(app.listModified);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(driver.seen.size(), 2u);
    EXPECT_EQ(driver.seen[0].caption, "Quitter Velunda");
    EXPECT_EQ(driver.seen[0].text, kCloseQuestion);
    EXPECT_TRUE(driver.seen[0].yes && driver.seen[0].no && driver.seen[0].cancel);
    EXPECT_FALSE(FileExists(app.FilelistPath)) << "No writes nothing";
}

TEST_F(MainDlgTest, ModifyRatingFromTheMenuAndFromADoubleClick) {
    CWallpaperEntry& b = Add("C:\\b.bmp", 2);
    CWallpaperEntry& a = Add("C:\\a.bmp", 3);
    dlg.ratings = {5, 4, std::nullopt, 4};
    Run([&](HWND hwnd) {
        Select(hwnd, 1);
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(b.rating, 5);
        EXPECT_EQ(app.ratingSum, 8);
        EXPECT_TRUE(app.listModified);
        // Re-rating doesn't sort again.
        EXPECT_THAT(Items(hwnd), ElementsAre(&a, &b));

        app.listModified = false;
        Select(hwnd, 0);
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(List(hwnd)));
        EXPECT_EQ(a.rating, 4);
        EXPECT_EQ(app.ratingSum, 9);
        EXPECT_TRUE(app.listModified);

        // Cancelled: nothing changes.
        app.listModified = false;
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(a.rating, 4);
        EXPECT_EQ(app.ratingSum, 9);
        EXPECT_FALSE(app.listModified);

        // The same rating still marks the list.
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(app.ratingSum, 9);
        EXPECT_TRUE(app.listModified);
        CloseUnchanged(hwnd);
    });
    using Asked = std::pair<std::string, int32_t>;
    EXPECT_THAT(dlg.asked, ElementsAre(Asked("C:\\b.bmp", 2), Asked("C:\\a.bmp", 3),
                                       Asked("C:\\a.bmp", 4), Asked("C:\\a.bmp", 4)));
}

TEST_F(MainDlgTest, SaveStartupListAnsweredNoChangesNothing) {
    Add("C:\\a.bmp", 3);
    app.listModified = true;
    driver.AnswerBox(IDNO);
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_TRUE(app.listModified);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(driver.seen.size(), 2u);
    EXPECT_EQ(driver.seen[0].caption, "Velunda");
    EXPECT_EQ(driver.seen[0].text, kSaveQuestion);
    EXPECT_TRUE(driver.seen[0].yes && driver.seen[0].no);
    EXPECT_FALSE(driver.seen[0].cancel);
    EXPECT_FALSE(FileExists(app.FilelistPath));
}

TEST_F(MainDlgTest, SaveStartupListAnsweredYesWritesTheFileEvenUnchanged) {
    if (!SaveListWorks()) GTEST_SKIP() << "SaveList writes no file yet";
    Add("C:\\a.bmp", 3);
    driver.AnswerBox(IDYES);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_FALSE(app.listModified);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(ReadBytes(app.FilelistPath),
              std::string("\x03" "1.0" "\x01\0\0\0" "\x03\0\0\0" "\x08" "C:\\a.bmp" "\x03" "bmp"
                          "\x03\0\0\0", 29));
}

TEST_F(MainDlgTest, AFailedSaveOfTheStartupListLeavesItMarked) {
    // A folder that doesn't exist: the save fails.
    app.FilelistPath = TempDir() + "missing\\Velunda.dat";
    Add("C:\\a.bmp", 3);
    app.listModified = true;
    driver.AnswerBox(IDYES);
    if (SaveListWorks()) driver.AnswerBox(IDOK);  // SaveList's own error message
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_TRUE(app.listModified);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(driver.seen.back().text, kCloseQuestion) << "the close still asks";
}

TEST_F(MainDlgTest, CloseAnsweredYesSavesThenEnds) {
    if (!SaveListWorks()) GTEST_SKIP() << "SaveList writes no file yet";
    Add("C:\\a.bmp", 3);
    app.listModified = true;
    driver.AnswerBox(IDYES);
    const INT_PTR result = Run([&](HWND hwnd) { SendMessageA(hwnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadBytes(app.FilelistPath).size(), 29u);
    EXPECT_TRUE(app.listModified) << "closing clears nothing";
}

TEST_F(MainDlgTest, CloseAnsweredYesStaysOpenWhenTheSaveFails) {
    app.FilelistPath = TempDir() + "missing\\Velunda.dat";
    app.listModified = true;
    driver.AnswerBox(IDYES);
    if (SaveListWorks()) driver.AnswerBox(IDOK);
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        EXPECT_TRUE(app.listModified);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(driver.seen.front().text, kCloseQuestion);
    EXPECT_EQ(driver.seen.back().text, kCloseQuestion);
}

TEST_F(MainDlgTest, QuitAndEscapeGoThroughTheCloseQuestionAndEnterDoesNothing) {
    app.listModified = true;
    driver.AnswerBox(IDCANCEL);
    driver.AnswerBox(IDNO);
    const INT_PTR result = Run([&](HWND hwnd) {
        SetFocus(List(hwnd));
        PostMessageA(List(hwnd), WM_KEYDOWN, VK_RETURN, 0);
        Pump(hwnd);
        EXPECT_TRUE(IsWindowVisible(hwnd)) << "Enter";
        EXPECT_TRUE(driver.seen.empty());

        PostMessageA(List(hwnd), WM_KEYDOWN, VK_ESCAPE, 0);
        Pump(hwnd);
        EXPECT_EQ(driver.seen.size(), 1u) << "Escape asks";
        EXPECT_TRUE(IsWindowVisible(hwnd));

        // Quit posts WM_CLOSE; the loop then asks again.
        Command(hwnd, ID_FILE_QUIT);
        EXPECT_EQ(driver.seen.size(), 1u);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(driver.seen.size(), 2u);
    EXPECT_EQ(driver.seen[1].text, kCloseQuestion);
}

TEST_F(MainDlgTest, OpenListReplacesTheListThroughTheRealOpenDialog) {
    const std::string file = TempDir() + "open.vdl";
    // Stored sum 99 on purpose: the file's value is taken as it is.
    WriteBytes(file, Str("1.0") + Int32(2) + Int32(99) + Str("C:\\b.bmp") + Str("bmp") + Int32(5) +
                         Str("C:\\a.bmp") + Str("BMP") + Int32(1));
    Add("C:\\old.bmp", 4);
    driver.CancelFile();
    driver.AnswerFile(file);
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_LIST_OPEN);
        EXPECT_EQ(app.wallpaperList.GetCount(), 1) << "cancelled: nothing changes";
        EXPECT_FALSE(app.listModified);

        Command(hwnd, ID_LIST_OPEN);
        EXPECT_TRUE(app.listModified);
        ExpectItemsMatchList(hwnd);
        if (LoadListWorks()) {
            const auto entries = Entries(app);
            ASSERT_EQ(entries.size(), 2u);
            EXPECT_EQ(entries[0]->path, "C:\\b.bmp");
            EXPECT_EQ(entries[1]->ext, "BMP");
            EXPECT_EQ(app.ratingSum, 99);
            EXPECT_THAT(Items(hwnd), ElementsAre(entries[1], entries[0]));
        } else {
            EXPECT_EQ(app.ratingSum, 0);
        }
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(driver.seen.size(), 3u);
    EXPECT_EQ(driver.seen[0].filter, "Listes de fonds d'écran (.vdl)");
    EXPECT_FALSE(driver.seen[0].readOnlyBox);
    EXPECT_EQ(driver.seen[2].text, kCloseQuestion) << "opening marks the list";
}

TEST_F(MainDlgTest, SaveListWritesTheChosenFileAndLeavesTheFlags) {
    Add("C:\\a.bmp", 3);
    const std::string named = TempDir() + "named";
    DeleteFileA((named + ".vdl").c_str());
    driver.AnswerFile(named);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_LIST_SAVE);
        EXPECT_FALSE(app.listModified);
        EXPECT_EQ(app.ratingSum, 3);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(driver.seen.size(), 1u);
    EXPECT_EQ(driver.seen[0].fileName, "Velunda.vdl");
    EXPECT_EQ(driver.seen[0].filter, "Listes de fonds d'écran (.vdl)");
    // A name typed without extension gets ".vdl".
    if (SaveListWorks()) {
        EXPECT_EQ(ReadBytes(named + ".vdl").size(), 29u);
    }
}

TEST_F(MainDlgTest, ThreeDialogCommandsDoNothingYet) {
    Add("C:\\a.bmp", 3);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_PREFS_GENERAL);
        Command(hwnd, ID_PREFS_INTERVAL);
        Command(hwnd, ID_ABOUT);
        EXPECT_FALSE(app.listModified);
        EXPECT_EQ(app.ratingSum, 3);
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
}

struct FoundWindow {
    HWND hwnd = nullptr;
    DWORD process = 0;
};

// Notepad's main window, from another process.
FoundWindow FindNotepad() {
    FoundWindow found;
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            char name[32] = {};
            GetClassNameA(hwnd, name, sizeof name);
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (std::string(name) != "Notepad" || process == GetCurrentProcessId()) return TRUE;
            *reinterpret_cast<FoundWindow*>(lp) = {hwnd, process};
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(MainDlgTest, HelpOpensTheReadmeInNotepad) {
    FoundWindow notepad;
    std::string shown;
    Run([&](HWND hwnd) {
        Command(hwnd, ID_HELP_README);
        // Another process: wait for its window (up to 30 s).
        for (int i = 0; i < 300 && !notepad.hwnd; ++i) {
            Sleep(100);
            notepad = FindNotepad();
        }
        CloseUnchanged(hwnd);
    });
    ASSERT_NE(notepad.hwnd, nullptr) << "Notepad never opened";
    const HWND edit = FindWindowExA(notepad.hwnd, nullptr, "Edit", nullptr);
    std::vector<char> text(8192);
    SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    shown = text.data();
    const win::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, notepad.process));
    PostMessageA(notepad.hwnd, WM_CLOSE, 0, 0);
    if (process) WaitForSingleObject(process.get(), 10000);
    // Our readme, read by Notepad as Windows-1252 ("é" is E9 in and out).
    EXPECT_EQ(shown.rfind("Velunda 1.0 - Zarnovell Software\r\n", 0), 0u) << shown.substr(0, 80);
    EXPECT_NE(shown.find("le fond d'écran de votre bureau"), std::string::npos);
}

TEST(MainDlgHelp, ReadmeLiesBesideTheExecutable) {
    EXPECT_EQ(CMainDlg::ReadmePath("C:\\Programmes\\Outils\\app.exe"),
              "C:\\Programmes\\Outils\\readme.txt");
    EXPECT_EQ(CMainDlg::ReadmePath("app.exe"), "app.exe\\readme.txt");
}

}  // namespace
