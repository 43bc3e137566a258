// The whole interactive run of the application object, its windows driven from a second thread
// as a user would drive them, under Wine.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <process.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "app/wallpaper_app.h"
#include "res/resource.h"
#include "settings/local_midnight.h"
#include "support/dialog_driver.h"
#include "support/registry.h"
#include "support/shell_link_win.h"
#include "ui/shell_files.h"
#include "win/handles.h"

namespace {

using listbytes::Header, listbytes::Record;

using reg::Wide;

// Files dropped as the shell drops them: DROPFILES, then the wide names, each ended by a NUL,
// and one more NUL.
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

std::multiset<std::string> Entries(const CWallpaperList& list) {
    std::multiset<std::string> entries;
    for (const CWallpaperEntry& e : list)
        entries.insert(e.path + "|" + e.ext + "|" + std::to_string(e.rating));
    return entries;
}

// Within each menu of Velunda.exe, submenus included, every item has an access key of its own.
TEST(InteractiveRun, EachMenuItemHasAnAccessKeyOfItsOwn) {
    wchar_t exe[MAX_PATH] = {};
    std::wstring path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    path.replace(path.rfind(L'\\') + 1, path.npos, L"Velunda.exe");
    const std::function<void(HMENU)> check = [&](HMENU menu) {
        std::set<wchar_t> keys;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[99] = {};
            if (!GetMenuStringW(menu, i, text, 99, MF_BYPOSITION)) continue;  // a separator
            const wchar_t* key = wcschr(text, L'&');
            EXPECT_TRUE(key && keys.insert(towupper(key[1])).second) << text;
            if (HMENU sub = GetSubMenu(menu, i)) check(sub);
        }
    };
    const HMODULE velunda = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    check(LoadMenuW(velunda, MAKEINTRESOURCEW(IDR_MENU)));
}

// Windows refusing the picture (under Wine, once its settings' key is gone): change now says so,
// and the count stays.
TEST(InteractiveRun, ChangeNowSaysWhenWindowsRefusesThePicture) {
    reg::DeleteSettings();
    std::ofstream("a.bmp") << "BM";
    std::ofstream("list.dat", std::ios::binary) << Header(1, 5) + Record("a.bmp", "bmp", 5);
    SaveSettings({9, 0, 1, 1, L"startup", false, L"list.dat"});
    DialogDriver driver([&](DialogDriver& d) {
        const HWND main = d.Wait(L"Velunda");
        wchar_t shown[MAX_PATH];  // read once: Wine keeps the key's handle from then on
        SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Control Panel\\Desktop");
        d.Post(main, ID_WALLPAPER_CHANGE_NOW);
        d.Answer(IDOK);
        d.Post(main, ID_FILE_QUIT);
    });
    CWallpaperApp().InitInstance();
    driver.Finish();
    EXPECT_EQ(driver.seen,
              (std::vector<Seen>{{L"Velunda", L"Le fond d'écran n'a pas pu être changé"}}));
    EXPECT_EQ(reg::Get(reg::kVelunda, L"LastStartup"), reg::Dw(9));
}

TEST(InteractiveRun, AFirstRunStoresWhatItsWindowsSet) {
    reg::DeleteSettings();
    const std::string dir = (std::filesystem::temp_directory_path() / "velunda-run").string(),
                      alpes = dir + "\\alpes.bmp";  // ASCII, under Wine
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "\\tree\\sub");
    // A folder named beyond the code page is stored by its short alias; a missing file has none.
    const std::wstring tree = Wide(dir + "\\tree"), polish = Wide(dir) + L"\\ł.bmp",
                       photos = Wide(dir) + L"\\Zdjęcia 照片", lists = Wide(dir) + L"\\listes Łódź";
    std::filesystem::create_directories(photos), std::filesystem::create_directories(lists);
    std::ofstream(std::filesystem::path(photos + L"\\lato.bmp")) << "BM";
    std::ofstream(std::filesystem::path(Wide(dir) + L"\\Zdjecia.vdl")) << "kept";
    for (const char* name : {"\\alpes.bmp", "\\Mer.BMP", "\\b.JPG", "\\x.txt", "\\tree\\c.png",
                             "\\tree\\sub\\d.BMP", "\\tree\\sub\\e.txt"})
        std::ofstream(dir + name) << "BM";
    const auto skip = [](const std::wstring&) {};  // a drop stops at its limit: 3 files here
    EXPECT_EQ(std::pair(ForEachFile({tree}, 2, skip), ForEachFile({tree}, 3, skip)),
              std::pair(false, true));
    // The longest path that a list file holds (259 bytes), and one byte more.
    const std::string fits = dir + "\\" + std::string(254 - dir.size(), 'f') + ".bmp";
    const std::wstring tooLong = Wide(dir + "\\" + std::string(255 - dir.size(), 'f') + ".bmp");
    // The startup list's path is as long as a file dialog gives, though the save's temporary
    // name is 12 bytes longer.
    const std::wstring start = lists + L"\\" + std::wstring(254 - lists.size(), L's') + L".dat";
    reg::Put(reg::kDesktop, L"Wallpaper", reg::Sz(L""));
    std::atomic<bool> fail = false;  // the next probe throws, as a copy of a huge list may
    CWallpaperApp app({.canOpenForReading = [&](const std::string& path) {
        return fail.exchange(false) ? throw std::bad_alloc() : OpensForReading(path);
    }});
    const auto script = [&](DialogDriver& d) {
        const HWND main = d.Wait(L"Velunda"), list = GetDlgItem(main, IDC_WALLPAPER_LIST);
        d.Post(main, ID_WALLPAPER_CHANGE_NOW);  // from an empty list
        d.Answer(IDOK);
        d.Post(main, ID_WALLPAPER_ADD);  // both, chosen in their folder
        const HWND open = d.Wait(L"");
        SetDlgItemTextW(open, DialogDriver::kFileName, Wide(dir).c_str());
        d.Post(open, IDOK);
        d.Sync(open);
        d.Answer(IDOK, L"\"Mer.BMP\" \"alpes.bmp\"");
        d.Until([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 2; }, L"two files listed");
        SendMessageA(list, LB_SETCURSEL, 1, 0);                  // sorted: Mer comes second
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_REMOVE, 0);  // done when it returns
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK), LPARAM(list));
        const HWND rating = d.Wait(L"Notation");
        SendDlgItemMessageA(rating, IDC_RATING_SLIDER, TBM_SETPOS, TRUE, 5);
        d.Close(rating, IDOK);
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_CHANGE_NOW, 0);
        EXPECT_EQ(reg::Get(reg::kDesktop, L"Wallpaper"), reg::Sz(Wide(alpes)));
        fail = true;  // the window stays, and says so
        d.Post(main, ID_WALLPAPER_CHANGE_NOW);
        d.Answer(IDOK);
        PostMessageA(main, WM_DROPFILES, WPARAM(Drop({Wide(dir + "\\b.JPG")})), 0);
        d.Answer(IDOK);
        d.Post(main, ID_LIST_SAVE);
        d.Answer(IDOK, Wide(dir) + L"\\Zdjęcia");  // the dialog adds ".vdl"
        // A list cut short: the message, and what was read before it is shown.
        std::ofstream(std::filesystem::path(Wide(dir) + L"\\Łódź.vdl"), std::ios::binary)
            << Header(2, 5) + Record(alpes, "bmp", 5) + "\x20" + "C:";
        d.Post(main, ID_LIST_OPEN);
        d.Answer(IDOK, Wide(dir) + L"\\Łódź.vdl");
        d.Answer(IDOK);
        d.Sync(main);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);

        // The first run's defaults: every day, and at logon.
        d.Post(main, ID_PREFS_INTERVAL);
        const HWND interval = d.Wait(L"Interval de mise à jour");
        EXPECT_EQ(IsDlgButtonChecked(interval, IDC_RADIO_DAYS), BST_CHECKED);
        d.Click(interval, IDC_RADIO_STARTUPS);
        SetDlgItemTextW(interval, IDC_EDIT_STARTUPS, L"0");
        d.Post(interval, IDOK);
        EXPECT_EQ(GetWindow(d.Wait(L""), GW_OWNER), interval);
        d.Answer(IDOK);  // refused: the edit's text selected
        d.Sync(interval);
        EXPECT_EQ(SendDlgItemMessageA(interval, IDC_EDIT_STARTUPS, EM_GETSEL, 0, 0),
                  MAKELONG(0, 1));
        SetDlgItemTextW(interval, IDC_EDIT_STARTUPS, L"7");
        d.Close(interval, IDOK);
        d.Post(main, ID_PREFS_GENERAL);
        const HWND prefs = d.Wait(L"Préférences générales");
        d.Click(prefs, IDC_PREFS_STARTUP);  // on by default: off, and still off after the browse
        d.Post(prefs, IDC_PREFS_BROWSE);
        d.Answer(IDOK, start);
        d.Close(prefs, IDOK);
        d.Post(main, ID_PREFS_DISPLAY);  // all pictures, spanned
        const HWND display = d.Wait(L"Affichage");
        // Wine has no per-monitor wallpaper object.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(display, IDC_DISPLAY_MONITORS)));
        EXPECT_EQ(SendDlgItemMessageA(display, IDC_DISPLAY_POSITION, CB_GETCURSEL, 0, 0), 0);
        d.Click(display, IDC_DISPLAY_FORMATS);
        SendDlgItemMessageA(display, IDC_DISPLAY_POSITION, CB_SETCURSEL, 6, 0);
        d.Close(display, IDOK);
        std::vector<std::wstring> dropped{polish, tooLong, tree, Wide(fits), photos};
        for (const char* name : {"\\b.JPG", "\\x.txt", "\\Mer.BMP"})
            dropped.push_back(Wide(dir + name));
        PostMessageA(main, WM_DROPFILES, WPARAM(Drop(dropped)), 0);
        d.Answer(IDOK);
        // Logging off asks as closing does: Cancel keeps the session, No lets it end. Then the
        // settings are stored.
        for (const int answer : {IDCANCEL, IDNO}) {
            std::thread logoff(
                [&] { EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, 0), answer == IDNO); });
            d.Answer(answer), logoff.join();
        }
        SendMessageW(main, WM_ENDSESSION, TRUE, 0);
        EXPECT_EQ(reg::Get(reg::kVelunda, L"NumStartup"), reg::Dw(7));
        // A list that another program holds open, even sharing everything, is not saved: nothing
        // is written, no temporary file is left, the changes stay unsaved and the window open.
        // Escape asks (Enter does nothing) and Yes fails again.
        win::UniqueFile held(
            CreateFileW(start.c_str(), GENERIC_READ, 7, nullptr, CREATE_NEW, 0, 0));
        d.Post(main, ID_FILE_SAVE_STARTUP);
        d.Answer(IDYES);
        d.Answer(IDOK);
        for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageA(list, WM_KEYDOWN, key, 0);
        d.Answer(IDYES);
        d.Answer(IDOK);
        EXPECT_EQ(std::filesystem::file_size(start), 0u);
        EXPECT_FALSE(std::filesystem::exists(start + L".velunda-tmp"));
        held.reset();
        d.Post(main, ID_FILE_SAVE_STARTUP);
        d.Answer(IDYES);
        d.Post(main, ID_FILE_QUIT);  // saved: nothing to ask
    };
    DialogDriver driver(script, IDOK);
    app.InitInstance();
    driver.Finish();
    // Boxes that the main window shows name the program; the others take the executable's name:
    // this test program's, here.
    const Seen none{L"Velunda", L"Aucun fond d'écran disponible"},
        bmp{L"Fonds d'écran (.bmp)", L""},
        failedCommand{L"ui_tests",
                      L"La commande n'a pas pu aboutir : mémoire ou ressources insuffisantes."},
        jpeg{L"Velunda",
             L"0 fond d'écran ajouté, 1 laissé de côté :\n- 1 image JPEG ou PNG (à activer dans "
             L"Préférences > Affichage...)"},
        vdl{L"Listes de fonds d'écran (.vdl)", L""}, named{vdl.first, L"Velunda.vdl"},
        dat{L"Sauvegarde Velunda (*.dat)", L"Velunda.dat"},
        refused{L"ui_tests", L"Veuillez entrer un nombre entier compris entre 1 et 32000."},
        save{L"Velunda", L"Voulez-vous sauvegarder les changements de la liste ?"},
        failed{L"ui_tests", L"Erreur d'enregistrement de la liste (11)"},
        cut{L"ui_tests", L"Erreur de chargement de la liste (14)"},
        dropped{L"Velunda",
                L"6 fonds d'écran ajoutés, 2 laissés de côté :\n- 1 chemin trop long "
                L"(plus de 259 caractères)\n- 1 nom avec des caractères que la liste "
                L"ne peut pas enregistrer"},
        close{L"Quitter Velunda",
              L"Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?"};
    EXPECT_EQ(driver.seen,
              (std::vector<Seen>{none, bmp, failedCommand, jpeg, named, vdl, cut, refused, dat,
                                 dropped, close, close, save, failed, close, failed, save}));
    Settings stored;
    EXPECT_TRUE(LoadSettings(stored, 0));
    const int32_t today = int32_t(LocalMidnight(std::time(nullptr)));
    const Settings set{0, today, 7, 1, L"startup", false, start, 1, 5};
    EXPECT_EQ(reg::Fields(stored), reg::Fields(set));
    EXPECT_EQ(reg::Get(reg::kVelunda, L"Placement"), reg::Raw{});  // the window was not moved
    // The folders' pictures in any order.
    CWallpaperList saved;
    int32_t sum = 0;
    EXPECT_TRUE(LoadList(start, saved, sum));
    wchar_t alias[MAX_PATH] = {};
    GetShortPathNameW((photos + L"\\lato.bmp").c_str(), alias, MAX_PATH);
    const std::string aliasBytes(alias, alias + wcslen(alias));  // ASCII, under Wine
    std::multiset<std::string> expected{alpes + "|bmp|5", fits + "|bmp|3", aliasBytes + "|bmp|3"};
    for (const char* name :
         {"\\Mer.BMP|BMP", "\\b.JPG|JPG", "\\tree\\c.png|png", "\\tree\\sub\\d.BMP|BMP"})
        expected.insert(dir + name + "|3");
    EXPECT_EQ(std::tuple(Entries(saved), sum, Entries(app.wallpaperList)),
              std::tuple(expected, 23, expected));
    // The Save As kept the name as typed, beside the plain-letter one ("kept").
    EXPECT_EQ(std::pair(std::filesystem::file_size(Wide(dir) + L"\\Zdjecia.vdl"),
                        std::filesystem::exists(Wide(dir) + L"\\Zdjęcia.vdl")),
              std::pair(std::uintmax_t{4}, true));
    // A logon run reads the startup list from its folder, and applies the alias when it is drawn
    // (the only pick that the probe lets through).
    reg::Put(reg::kVelunda, L"LastStartup", reg::Dw(6));
    CWallpaperApp logon(
        {[] { return std::time(nullptr); }, nullptr,
         [&](const std::string& path) { return path == aliasBytes && OpensForReading(path); }});
    logon.m_lpCmdLine = L"/startup";
    logon.InitInstance();
    EXPECT_EQ(reg::Get(reg::kDesktop, L"Wallpaper"), reg::Sz(alias));
}

}  // namespace

// Run from a folder that the code page cannot name, the program itself points its logon shortcut
// there: closed with nothing to save, it stores the settings and writes the shortcut.
TEST(InteractiveRun, TheLogonShortcutNamesTheProgramsFolderWhateverItsCharacters) {
    const auto folder = std::filesystem::temp_directory_path() / L"Programmes Łódź 照片";
    const std::wstring exe = (folder / L"Velunda.exe").wstring();
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::filesystem::path(_wpgmptr).replace_filename(L"Velunda.exe"),
                               exe, std::filesystem::copy_options::overwrite_existing);
    std::ofstream(folder / L"Velunda.dat", std::ios::binary) << listbytes::Header(0, 0);
    reg::DeleteSettings();
    ASSERT_TRUE(SaveSettings({0, 0, 1, 1, L"days", true, (folder / L"Velunda.dat").wstring()}));
    const auto running = HANDLE(_wspawnl(_P_NOWAIT, exe.c_str(), exe.c_str(), nullptr));
    HWND main = nullptr;
    for (int i = 0; i < 1000 && !(main = FindWindowW(L"#32770", L"Velunda")); ++i) Sleep(20);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(running, 20000), WAIT_OBJECT_0);
    wchar_t links[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, links, CSIDL_STARTUP, TRUE);
    const std::wstring link = std::wstring(links) + L"\\Velunda.lnk";
    EXPECT_EQ(ReadShellLink(link), exe + L"|/startup|Velunda Application|" + exe + L",0");
    DeleteFileW(link.c_str());  // a later wineboot would start it
    reg::DeleteSettings();
}
