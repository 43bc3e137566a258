// Velunda.exe run whole: at logon as Windows starts it, and by a user.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <ctime>
#include <tuple>

#include "res/resource.h"
#include "settings/local_midnight.h"
#include "settings/settings_store_win.h"
#include "support/list_bytes.h"
#include "support/process_harness.h"
#include "win/handles.h"

namespace {

using listbytes::Header, listbytes::Record;
const int32_t kToday = int32_t(LocalMidnight(std::time(nullptr)));
constexpr int32_t kLongAgo = 999993600;  // 2001-09-09

auto Stored() {
    Settings s;
    EXPECT_TRUE(LoadSettings(s, 0));
    return std::tuple(s.FilelistPath, s.Startup, s.TimeType, s.NumDays, s.NumStartup, s.LastDays,
                      s.LastStartup);
}

std::string Wallpaper() {
    char path[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

TEST(LogonRun, CountsChangesWhenDueAndReportsAMissingList) {
    e2e::DeleteSettings();
    for (const char* args : {"/startup", "/next"}) EXPECT_TRUE(e2e::Run(args).empty()) << args;
    // Fails on a key that holds anything: a first run writes nothing.
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Zarnovell Software"),
              ERROR_FILE_NOT_FOUND);

    const std::string dir = e2e::MakeTempDir(), list = dir + "\\Velunda.dat",
                      bitmap = dir + "\\a.bmp";
    // The missing file comes up first most times: it is dropped and the draw starts again.
    const std::string bytes =
        Header(2, 6) + Record(dir + "\\gone.bmp", "bmp", 5) + Record(bitmap, "BMP", 1);
    e2e::WriteBytes(bitmap, "BM");
    e2e::WriteBytes(list, bytes);
    const std::vector<Seen> loadError{{"Velunda", "Erreur de chargement de la liste (2)"}};
    // Every day, or every 3 logons. /next changes now and restarts the count;
    // /nextx is an interactive run.
    const struct {
        std::string args, kind, list;
        int32_t lastDays, lastStartup, lastDaysAfter, lastStartupAfter;
        bool changes;
        std::vector<Seen> boxes;
    } runs[] = {
        {"/startup", "days", list, kToday, 0, kToday, 0, false, {}},
        {"/startup", "days", list, kLongAgo, 0, kToday, 0, true, {}},
        {"/startup", "startup", list, kLongAgo, 0, kLongAgo, 1, false, {}},
        {"/startup", "startup", list, kLongAgo, 2, kLongAgo, 0, true, {}},
        {"/startup", "days", dir + "\\absent.dat", kToday, 0, kToday, 0, false, loadError},
        {"/next", "startup", list, kLongAgo, 1, kLongAgo, 0, true, {}},
        {"/next", "days", list, kLongAgo, 0, kToday, 0, true, {}},
        {"/next", "days", dir + "\\absent.dat", kLongAgo, 0, kLongAgo, 0, false, loadError},
        {"/nextx", "startup", list, kLongAgo, 1, kLongAgo, 1, false, {}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(&run - runs);
        SaveSettings({run.lastStartup, run.lastDays, 3, 1, run.kind, false, run.list});
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
        const auto close = [](DialogDriver& d) { PostMessageA(d.Wait("Velunda"), WM_CLOSE, 0, 0); };
        EXPECT_EQ(e2e::Run(run.args, run.args == "/nextx" ? close : DialogDriver::Script{}), run.boxes);
        EXPECT_EQ(Stored(), std::tuple(run.list, false, run.kind, 1, 3, run.lastDaysAfter,
                                       run.lastStartupAfter));
        EXPECT_EQ(Wallpaper(), run.changes ? bitmap : "");
    }
    EXPECT_EQ(e2e::ReadBytes(list), bytes);  // the drop was in memory only
    e2e::DeleteSettings();
}

TEST(ChangeNow, DrawsFromTheWindowsListKeepingItAndStoresTheRestartedCountAtClose) {
    const std::string dir = e2e::MakeTempDir(), list = dir + "\\Velunda.dat", bitmap = dir + "\\a.bmp";
    const std::string bytes = Header(2, 6) + Record(dir + "\\gone.bmp", "bmp", 5) + Record(bitmap, "bmp", 1);
    e2e::WriteBytes(bitmap, "BM");
    e2e::WriteBytes(list, bytes);
    SaveSettings({0, kLongAgo, 3, 1, "days", false, list});
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
    const auto boxes = e2e::Run("", [&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda");
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_CHANGE_NOW, 0);
        EXPECT_EQ(Wallpaper(), bitmap);
        EXPECT_EQ(SendDlgItemMessageA(main, IDC_WALLPAPER_LIST, LB_GETCOUNT, 0, 0), 2);  // gone.bmp too
        DeleteFileA(bitmap.c_str());
        d.Post(main, ID_WALLPAPER_CHANGE_NOW);
        d.Answer(IDOK);
        d.Post(main, ID_FILE_SAVE_STARTUP);  // the list as it was, gone.bmp and the sum too
        d.Answer(IDYES);
        d.Post(main, ID_FILE_QUIT);
    });
    EXPECT_EQ(boxes, (std::vector<Seen>{{"Velunda", "Aucun fond d'écran disponible"},
                                        {"Velunda", "Voulez-vous sauvegarder les changements de la liste ?"}}));
    EXPECT_EQ(Stored(), std::tuple(list, false, "days", 1, 3, kToday, 0));
    EXPECT_EQ(e2e::ReadBytes(list), bytes);
    e2e::DeleteSettings();
}

TEST(SettingsRun, AFirstInteractiveRunStoresWhatItsWindowsSet) {
    e2e::DeleteSettings();
    const std::string dir = e2e::MakeTempDir(), alpes = dir + "\\alpes.bmp",
                      mer = dir + "\\Mer.BMP";
    e2e::WriteBytes(alpes, "BM");
    e2e::WriteBytes(mer, "BM");
    const auto boxes = e2e::Run("", [&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda"), list = GetDlgItem(main, IDC_WALLPAPER_LIST);
        for (const char* name : {"Mer.BMP", "alpes.bmp"}) {  // typed in their folder
            d.Post(main, ID_WALLPAPER_ADD);
            const HWND open = d.Wait("");
            SetDlgItemTextA(open, 0x47C, dir.c_str());
            d.Post(open, IDOK);
            d.Sync(open);
            d.Answer(IDOK, name);
        }
        d.Until([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 2; }, "two files listed");
        SendMessageA(list, LB_SETCURSEL, 1, 0);  // sorted: Mer comes second, the list's head
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_REMOVE, 0);  // done when it returns
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK), LPARAM(list));
        const HWND rating = d.Wait("Notation");
        SendDlgItemMessageA(rating, IDC_RATING_SLIDER, TBM_SETPOS, TRUE, 5);
        d.Close(rating, IDOK);
        d.Post(main, ID_LIST_SAVE);
        d.Answer(IDOK, dir + "\\saved");  // the dialog adds ".vdl"
        d.Post(main, ID_LIST_OPEN);
        d.Answer(IDOK, dir + "\\saved.vdl");
        // A list cut short: the message, and what was read before it is shown.
        e2e::WriteBytes(dir + "\\cut.vdl", Header(2, 5) + Record(alpes, "bmp", 5) + "\x20" "C:");
        d.Post(main, ID_LIST_OPEN);
        d.Answer(IDOK, dir + "\\cut.vdl");
        d.Answer(IDOK);
        d.Sync(main);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);

        // The first run's defaults: every day, and at logon.
        d.Post(main, ID_PREFS_INTERVAL);
        const HWND interval = d.Wait("Interval de mise à jour");
        EXPECT_EQ(IsDlgButtonChecked(interval, IDC_RADIO_DAYS), BST_CHECKED);
        d.Click(interval, IDC_RADIO_STARTUPS);
        SetDlgItemTextA(interval, IDC_EDIT_STARTUPS, "0");
        d.Post(interval, IDOK);
        d.Answer(IDOK);  // refused: the edit has the focus, its text selected
        d.Sync(interval);
        EXPECT_EQ(d.Focus(), GetDlgItem(interval, IDC_EDIT_STARTUPS));
        EXPECT_EQ(SendDlgItemMessageA(interval, IDC_EDIT_STARTUPS, EM_GETSEL, 0, 0),
                  MAKELONG(0, 1));
        SetDlgItemTextA(interval, IDC_EDIT_STARTUPS, "7");
        d.Close(interval, IDOK);
        d.Post(main, ID_PREFS_GENERAL);
        const HWND prefs = d.Wait("Préférences générales");
        EXPECT_EQ(IsDlgButtonChecked(prefs, IDC_PREFS_STARTUP), BST_CHECKED);
        d.Click(prefs, IDC_PREFS_STARTUP);  // off, and still off after the browse
        d.Post(prefs, IDC_PREFS_BROWSE);
        d.Answer(IDOK, dir + "\\start");
        d.Close(prefs, IDOK);
        // A failed save keeps the changes unsaved, and the window open: Escape
        // asks (Enter does nothing) and Yes fails again.
        win::UniqueFile held(CreateFileA((dir + "\\start.dat").c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr));
        d.Post(main, ID_FILE_SAVE_STARTUP);
        d.Answer(IDYES);
        d.Answer(IDOK);
        for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageA(list, WM_KEYDOWN, key, 0);
        d.Answer(IDYES);
        d.Answer(IDOK);
        held.reset();
        d.Post(main, ID_FILE_SAVE_STARTUP);
        d.Answer(IDYES);
        d.Post(main, ID_FILE_QUIT);  // saved: nothing to ask
    });
    const Seen bmp{"Fonds d'écran (.bmp)", ""}, vdl{"Listes de fonds d'écran (.vdl)", ""},
        named{vdl.first, "Velunda.vdl"}, dat{"Sauvegarde Velunda (*.dat)", "Velunda.dat"},
        refused{"Velunda", "Veuillez entrer un nombre entier compris entre 1 et 32000."},
        save{"Velunda", "Voulez-vous sauvegarder les changements de la liste ?"},
        failed{"Velunda", "Erreur d'enregistrement de la liste (11)"},
        cut{"Velunda", "Erreur de chargement de la liste (14)"},
        close{"Quitter Velunda",
              "Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?"};
    // The second Open dialog shows the folder typed into the first.
    EXPECT_EQ(boxes, (std::vector<Seen>{bmp, {bmp.first, dir}, named, vdl, vdl, cut, refused, dat, save, failed, close,
                                        failed, save}));
    EXPECT_EQ(Stored(), std::tuple(dir + "\\start.dat", false, "startup", 1, 7, kToday, 0));
    EXPECT_EQ(e2e::ReadBytes(dir + "\\start.dat"), Header(1, 5) + Record(alpes, "bmp", 5));
    e2e::DeleteSettings();
}

}  // namespace
