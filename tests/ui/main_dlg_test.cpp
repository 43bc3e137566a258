// The main window, run modally in this thread and driven through its
// messages; the real message boxes and file dialogs are answered by the driver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
// One entry C:\a.bmp, bmp, 3, with the sum 3, as a list file holds it.
const std::string kOneEntryFile("\x03" "1.0" "\x01\0\0\0" "\x03\0\0\0" "\x08" "C:\\a.bmp" "\x03" "bmp"
                                "\x03\0\0\0", 29);

// The rating dialog, answered by the test.
class TestMainDlg : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    std::deque<std::optional<int32_t>> ratings;  // empty optional: cancelled
    std::vector<std::pair<std::string, int32_t>> asked;

protected:
    bool AskRating(const std::string& path, int32_t& rating) override {
        asked.emplace_back(path, rating);
        const std::optional<int32_t> answer = ratings.front();
        ratings.pop_front();
        if (answer) rating = *answer;
        return answer.has_value();
    }
};

void Command(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
HWND List(HWND dlg) { return GetDlgItem(dlg, IDC_WALLPAPER_LIST); }
void Select(HWND dlg, int index) { SendMessageA(List(dlg), LB_SETCURSEL, index, 0); }
void Close(HWND dlg) { SendMessageA(dlg, WM_CLOSE, 0, 0); }

class MainDlgTest : public ::testing::Test {
protected:
    CWallpaperApp app;
    WindowDriver driver;
    TestMainDlg dlg{app};

    void SetUp() override {
        app.FilelistPath = TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
        DeleteFileA(app.FilelistPath.c_str());
    }
    CWallpaperEntry& Add(const std::string& path, int32_t rating) {
        app.ratingSum += rating;
        return *app.wallpaperList.AddTail(CWallpaperEntry("bmp", path, rating));
    }
    INT_PTR Run(const std::function<void(HWND)>& body) {
        const INT_PTR result = RunModal(dlg, driver, body);
        EXPECT_TRUE(driver.AllAnswered()) << "a dialog the test waited for never came";
        return result;
    }
    void CloseUnchanged(HWND hwnd) {
        app.listModified = false;
        Close(hwnd);
    }
    void ExpectItemsMatchList(HWND hwnd) { EXPECT_THAT(Items(hwnd), UnorderedElementsAreArray(Entries(app))); }
    void ExpectBox(size_t index, const char* caption, const char* text, bool yes, bool no, bool cancel) {
        ASSERT_LT(index, driver.seen.size());
        const WindowDriver::Seen& box = driver.seen[index];
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.yes, yes);
        EXPECT_EQ(box.no, no);
        EXPECT_EQ(box.cancel, cancel);
    }
};

TEST_F(MainDlgTest, OpensSortedByPathIgnoringCaseThenRatingWithItsIcon) {
    CWallpaperEntry& b = Add("C:\\b.bmp", 1);
    CWallpaperEntry& a4 = Add("C:\\a.bmp", 4);
    CWallpaperEntry& a2 = Add("c:\\A.BMP", 2);
    CWallpaperEntry& b0 = Add("C:\\B0.bmp", 5);
    const INT_PTR result = Run([&](HWND hwnd) {
        EXPECT_THAT(Items(hwnd), ElementsAre(&a2, &a4, &b, &b0));
        const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), icon);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), icon);
        EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
        Close(hwnd);
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

        Command(hwnd, ID_WALLPAPER_ADD);  // the same file is a second entry
        EXPECT_EQ(app.wallpaperList.GetCount(), 2);
        EXPECT_EQ(app.ratingSum, 6);
        ExpectItemsMatchList(hwnd);

        app.listModified = false;
        Command(hwnd, ID_WALLPAPER_ADD);  // cancelled
        EXPECT_EQ(app.wallpaperList.GetCount(), 2);
        EXPECT_EQ(app.ratingSum, 6);
        CloseUnchanged(hwnd);
    });
    ASSERT_EQ(driver.seen.size(), 3u);
    EXPECT_EQ(driver.seen[0].filter, "Fonds d'écran (.bmp)");
    EXPECT_EQ(driver.seen[0].fileName, "");
    EXPECT_TRUE(driver.seen[0].readOnlyBox);
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
    using Asked = std::pair<DWORD, std::string>;
    EXPECT_THAT(asked, ElementsAre(Asked(0x81800, "||" + bmp), Asked(0x81804, "||" + vdl),
                                   Asked(0x80802, ".vdl|Velunda.vdl|" + vdl)));
}

TEST_F(MainDlgTest, RemoveTakesTheSelectedItemsEntryAndNeedsASelection) {
    CWallpaperEntry& z = Add("C:\\z.bmp", 5);
    Add("C:\\a.bmp", 2);
    driver.AnswerBox(IDOK);
    driver.AnswerBox(IDOK);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_WALLPAPER_REMOVE);
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(app.wallpaperList.GetCount(), 2);
        EXPECT_FALSE(app.listModified);
        EXPECT_TRUE(dlg.asked.empty());

        Select(hwnd, 0);  // item 0 is the list's second entry
        Command(hwnd, ID_WALLPAPER_REMOVE);
        EXPECT_THAT(Entries(app), ElementsAre(&z));
        EXPECT_THAT(Items(hwnd), ElementsAre(&z));
        EXPECT_EQ(app.ratingSum, 5);
        EXPECT_TRUE(app.listModified);
        EXPECT_EQ(SendMessageA(List(hwnd), LB_GETCURSEL, 0, 0), LB_ERR);

        Select(hwnd, 0);  // the only entry
        Command(hwnd, ID_WALLPAPER_REMOVE);
        EXPECT_TRUE(app.wallpaperList.IsEmpty());
        EXPECT_TRUE(Items(hwnd).empty());
        EXPECT_EQ(app.ratingSum, 0);
        CloseUnchanged(hwnd);
    });
    ExpectBox(0, "Velunda", kNoSelection, false, false, false);
    ExpectBox(1, "Velunda", kNoSelection, false, false, false);
    EXPECT_TRUE(driver.seen[0].ok);
}

TEST_F(MainDlgTest, NewListEmptiesEverythingAndAlwaysMarksTheList) {
    Add("C:\\a.bmp", 2);
    driver.AnswerBox(IDCANCEL);
    driver.AnswerBox(IDNO);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_FILE_NEW_LIST);
        EXPECT_TRUE(app.wallpaperList.IsEmpty());
        EXPECT_TRUE(Items(hwnd).empty());
        EXPECT_EQ(app.ratingSum, 0);
        app.listModified = false;
        Command(hwnd, ID_FILE_NEW_LIST);  // on an empty list too
        EXPECT_TRUE(app.listModified);
        Close(hwnd);
        EXPECT_TRUE(IsWindowVisible(hwnd)) << "Cancel keeps the window open";
        EXPECT_TRUE(app.listModified);
        Close(hwnd);
    });
    ExpectBox(0, "Quitter Velunda", kCloseQuestion, true, true, true);
    EXPECT_FALSE(FileExists(app.FilelistPath)) << "No writes nothing";
}

TEST_F(MainDlgTest, ModifyRatingFromTheMenuAndFromADoubleClick) {
    CWallpaperEntry& b = Add("C:\\b.bmp", 2);
    CWallpaperEntry& a = Add("C:\\a.bmp", 3);
    dlg.ratings = {1, 4, std::nullopt, 4};
    Run([&](HWND hwnd) {
        Select(hwnd, 1);
        Command(hwnd, ID_WALLPAPER_RATING);
        EXPECT_EQ(b.rating, 1);
        EXPECT_EQ(app.ratingSum, 4);
        EXPECT_TRUE(app.listModified);
        EXPECT_THAT(Items(hwnd), ElementsAre(&a, &b)) << "not sorted again";

        app.listModified = false;
        Select(hwnd, 0);
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(List(hwnd)));
        EXPECT_EQ(a.rating, 4);
        EXPECT_EQ(app.ratingSum, 5);
        EXPECT_TRUE(app.listModified);

        app.listModified = false;
        Command(hwnd, ID_WALLPAPER_RATING);  // cancelled
        EXPECT_FALSE(app.listModified);
        Command(hwnd, ID_WALLPAPER_RATING);  // the same rating still marks the list
        EXPECT_EQ(app.ratingSum, 5);
        EXPECT_TRUE(app.listModified);
        CloseUnchanged(hwnd);
    });
    using Asked = std::pair<std::string, int32_t>;
    EXPECT_THAT(dlg.asked, ElementsAre(Asked("C:\\b.bmp", 2), Asked("C:\\a.bmp", 3),
                                       Asked("C:\\a.bmp", 4), Asked("C:\\a.bmp", 4)));
}

TEST_F(MainDlgTest, SaveStartupListClearsTheMarkOnlyAfterASave) {
    Add("C:\\a.bmp", 3);
    const std::string startup = app.FilelistPath;
    app.listModified = true;
    driver.AnswerBox(IDNO);
    driver.AnswerBox(IDYES);
    driver.AnswerBox(IDOK);  // SaveList's own error message
    driver.AnswerBox(IDYES);
    Run([&](HWND hwnd) {
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_TRUE(app.listModified);
        EXPECT_FALSE(FileExists(startup));

        app.FilelistPath = TempDir() + "missing\\Velunda.dat";
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_TRUE(app.listModified) << "the save failed: the changes are still unsaved";

        app.FilelistPath = startup;
        Command(hwnd, ID_FILE_SAVE_STARTUP);
        EXPECT_FALSE(app.listModified);
        Close(hwnd);
    });
    ExpectBox(0, "Velunda", kSaveQuestion, true, true, false);
    EXPECT_EQ(driver.seen.size(), 4u) << "no close question once saved";
    EXPECT_EQ(ReadBytes(startup), kOneEntryFile);
}

TEST_F(MainDlgTest, CloseAnsweredYesEndsOnlyAfterASave) {
    Add("C:\\a.bmp", 3);
    const std::string startup = app.FilelistPath;
    app.FilelistPath = TempDir() + "missing\\Velunda.dat";
    app.listModified = true;
    driver.AnswerBox(IDYES);
    driver.AnswerBox(IDOK);  // SaveList's own error message
    driver.AnswerBox(IDYES);
    const INT_PTR result = Run([&](HWND hwnd) {
        Close(hwnd);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        app.FilelistPath = startup;
        Close(hwnd);
    });
    EXPECT_EQ(result, IDCANCEL);
    ExpectBox(2, "Quitter Velunda", kCloseQuestion, true, true, true);
    EXPECT_EQ(ReadBytes(startup), kOneEntryFile);
    EXPECT_TRUE(app.listModified) << "closing clears nothing";
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

        Command(hwnd, ID_FILE_QUIT);  // posts WM_CLOSE: the loop asks again
        EXPECT_EQ(driver.seen.size(), 1u);
    });
    EXPECT_EQ(result, IDCANCEL);
    ExpectBox(1, "Quitter Velunda", kCloseQuestion, true, true, true);
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
        const auto entries = Entries(app);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0]->path, "C:\\b.bmp");
        EXPECT_EQ(entries[1]->ext, "BMP");
        EXPECT_EQ(app.ratingSum, 99);
        EXPECT_TRUE(app.listModified);
        EXPECT_THAT(Items(hwnd), ElementsAre(entries[1], entries[0]));
        Close(hwnd);
    });
    EXPECT_EQ(driver.seen[0].filter, "Listes de fonds d'écran (.vdl)");
    EXPECT_FALSE(driver.seen[0].readOnlyBox);
    ExpectBox(2, "Quitter Velunda", kCloseQuestion, true, true, true);
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
        Close(hwnd);
    });
    EXPECT_EQ(driver.seen[0].fileName, "Velunda.vdl");
    EXPECT_EQ(driver.seen[0].filter, "Listes de fonds d'écran (.vdl)");
    EXPECT_EQ(ReadBytes(named + ".vdl"), kOneEntryFile) << "typed without extension";
}

// Notepad's main window, from another process.
HWND FindNotepad() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            char name[32] = {};
            GetClassNameA(hwnd, name, sizeof name);
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (std::string(name) != "Notepad" || process == GetCurrentProcessId()) return TRUE;
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(MainDlgTest, HelpOpensTheReadmeInNotepad) {
    HWND notepad = nullptr;
    Run([&](HWND hwnd) {
        Command(hwnd, ID_HELP_README);
        for (int i = 0; i < 300 && !notepad; ++i) {  // another process: up to 30 s
            Sleep(100);
            notepad = FindNotepad();
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
    // Our readme, which Notepad read as Windows-1252 ("é" is E9 in and out).
    const std::string shown = text.data();
    EXPECT_EQ(shown.rfind("Velunda 1.0 - Zarnovell Software\r\n", 0), 0u) << shown.substr(0, 80);
    EXPECT_NE(shown.find("le fond d'écran de votre bureau"), std::string::npos);

    EXPECT_EQ(CMainDlg::ReadmePath("C:\\Programmes\\Outils\\app.exe"), "C:\\Programmes\\Outils\\readme.txt");
    EXPECT_EQ(CMainDlg::ReadmePath("app.exe"), "app.exe\\readme.txt");
}

}  // namespace
