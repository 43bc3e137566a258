// Velunda.exe run whole: at logon as Windows starts it, and by a user who sets it all up.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <ctime>

#include "res/resource.h"
#include "settings/local_midnight.h"
#include "settings/settings_store_win.h"
#include "support/list_bytes.h"
#include "support/process_harness.h"
#include "support/registry.h"
#include "win/handles.h"

namespace {

using listbytes::Header, listbytes::Record;

std::string Wallpaper() {
    char path[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

// Without settings, a run at logon or for the next wallpaper shows nothing, ends at once and
// writes nothing.
TEST(WholeRun, AtLogonWithoutSettingsEndsAtOnceWritingNothing) {
    reg::DeleteSettings();
    for (const char* args : {"/startup", "/next"}) EXPECT_TRUE(e2e::Run(args).empty()) << args;
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, reg::kCompany), ERROR_FILE_NOT_FOUND);
}

TEST(WholeRun, AFirstInteractiveRunStoresWhatItsWindowsSet) {
    reg::DeleteSettings();
    const std::string dir = e2e::MakeTempDir(), alpes = dir + "\\alpes.bmp",
                      mer = dir + "\\Mer.BMP";
    e2e::WriteBytes(alpes, "BM");
    e2e::WriteBytes(mer, "BM");
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
    const auto boxes = e2e::Run("", [&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda"), list = GetDlgItem(main, IDC_WALLPAPER_LIST);
        d.Post(main, ID_WALLPAPER_CHANGE_NOW);  // from an empty list
        d.Answer(IDOK);
        d.Post(main, ID_WALLPAPER_ADD);  // both, chosen in their folder
        const HWND open = d.Wait("");
        SetDlgItemTextA(open, 0x47C, dir.c_str());
        d.Post(open, IDOK);
        d.Sync(open);
        d.Answer(IDOK, "\"Mer.BMP\" \"alpes.bmp\"");
        d.Until([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 2; }, "two files listed");
        SendMessageA(list, LB_SETCURSEL, 1, 0);  // sorted: Mer comes second
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_REMOVE, 0);  // done when it returns
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK), LPARAM(list));
        const HWND rating = d.Wait("Notation");
        SendDlgItemMessageA(rating, IDC_RATING_SLIDER, TBM_SETPOS, TRUE, 5);
        d.Close(rating, IDOK);
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_CHANGE_NOW, 0);
        EXPECT_EQ(Wallpaper(), alpes);
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
        d.Post(main, ID_PREFS_DISPLAY);  // all pictures, spanned
        const HWND display = d.Wait("Affichage");
        EXPECT_EQ(SendDlgItemMessageA(display, IDC_DISPLAY_POSITION, CB_GETCURSEL, 0, 0), 0);
        d.Click(display, IDC_DISPLAY_FORMATS);
        SendDlgItemMessageA(display, IDC_DISPLAY_POSITION, CB_SETCURSEL, 6, 0);
        d.Close(display, IDOK);
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
    const Seen none{"Velunda", "Aucun fond d'écran disponible"}, bmp{"Fonds d'écran (.bmp)", ""}, vdl{"Listes de fonds d'écran (.vdl)", ""},
        named{vdl.first, "Velunda.vdl"}, dat{"Sauvegarde Velunda (*.dat)", "Velunda.dat"},
        refused{"Velunda", "Veuillez entrer un nombre entier compris entre 1 et 32000."},
        save{"Velunda", "Voulez-vous sauvegarder les changements de la liste ?"},
        failed{"Velunda", "Erreur d'enregistrement de la liste (11)"},
        cut{"Velunda", "Erreur de chargement de la liste (14)"},
        close{"Quitter Velunda",
              "Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?"};
    EXPECT_EQ(boxes, (std::vector<Seen>{none, bmp, named, vdl, vdl, cut, refused, dat, save,
                                        failed, close, failed, save}));
    Settings stored;
    EXPECT_TRUE(LoadSettings(stored, 0));
    const Settings set{0, int32_t(LocalMidnight(std::time(nullptr))), 7, 1, "startup", false,
                       dir + "\\start.dat", 1, 5};
    EXPECT_EQ(reg::Fields(stored), reg::Fields(set));
    EXPECT_EQ(e2e::ReadBytes(dir + "\\start.dat"), Header(1, 5) + Record(alpes, "bmp", 5));
    reg::DeleteSettings();
}

}  // namespace
