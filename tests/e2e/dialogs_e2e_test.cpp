// One interactive run from a first start: add two bitmaps, rate them, set the
// schedule and the startup list file, save, close; then check the registry,
// the list file and the logon shortcut.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "dialog_driver.h"
#include "harness.h"
#include "res/resource.h"

using ::testing::IsEmpty;

namespace {

std::string StartupShortcut() {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE);
    return std::string(folder) + "\\Velunda.lnk";
}

struct Shortcut {
    std::string target, arguments, description;
};

std::optional<Shortcut> ReadShortcut(const std::string& file) {
    if (FAILED(CoInitialize(nullptr))) return {};
    std::optional<Shortcut> result;
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wide, STGM_READ))) {
        char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, description[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, 0);
        link->GetArguments(arguments, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
        result = Shortcut{target, arguments, description};
    }
    if (persist) persist->Release();
    if (link) link->Release();
    CoUninitialize();
    return result;
}

}  // namespace

TEST(InteractiveRun, BuildRateScheduleSaveAndClose) {
    e2e::DeleteSettings();
    DeleteFileA(StartupShortcut().c_str());
    const std::string dir = e2e::MakeTempDir();
    const std::string alpes = dir + "\\alpes.bmp", mer = dir + "\\mer.bmp", listFile = dir + "\\demarrage.dat";
    e2e::WriteBitmap(alpes);
    e2e::WriteBitmap(mer);

    std::optional<DialogDriver> driver;
    e2e::RunOptions options;
    options.timeout = std::chrono::seconds(150);
    options.answer = [](const e2e::Box& box) {
        return box.text == "Voulez-vous sauvegarder les changements de la liste ?" ? IDYES : IDOK;
    };
    options.onMainWindow = [&](HWND main) {
        driver.emplace([&, main](DialogDriver& d) {
            HWND list = GetDlgItem(main, IDC_WALLPAPER_LIST);
            for (const std::string& file : {alpes, mer}) {
                PostMessageA(main, WM_COMMAND, ID_WALLPAPER_ADD, 0);
                d.Answer(IDOK, file);
                d.Sync(main);
            }
            d.Expect(SendMessageA(list, LB_GETCOUNT, 0, 0) == 2, "two files listed");

            // One rated through the menu, the other with a double click.
            for (int i = 0; i < 2; ++i) {
                SendMessageA(list, LB_SETCURSEL, i, 0);
                PostMessageA(main, WM_COMMAND, i ? MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_DBLCLK) : ID_WALLPAPER_RATING,
                             i ? reinterpret_cast<LPARAM>(list) : 0);
                HWND dlg = d.WaitForDialog("Notation");
                HWND slider = GetDlgItem(dlg, IDC_RATING_SLIDER);
                d.Expect(SendMessageA(slider, TBM_GETPOS, 0, 0) == 3, "a new file is rated 3");
                SendMessageA(slider, TBM_SETPOS, TRUE, d.Text(dlg, IDC_RATING_PATH) == alpes ? 5 : 1);
                d.Click(dlg, IDOK);
                d.WaitGone(dlg);
            }

            PostMessageA(main, WM_COMMAND, ID_PREFS_INTERVAL, 0);
            HWND interval = d.WaitForDialog("Interval de mise à jour");
            d.Expect(d.Checked(interval, IDC_RADIO_DAYS), "first run: every day");
            d.Click(interval, IDC_RADIO_STARTUPS);
            SetDlgItemTextA(interval, IDC_EDIT_STARTUPS, "7");
            SetDlgItemTextA(interval, IDC_EDIT_DAYS, "2");
            d.Click(interval, IDOK);
            d.WaitGone(interval);

            PostMessageA(main, WM_COMMAND, ID_PREFS_GENERAL, 0);
            HWND prefs = d.WaitForDialog("Préférences générales");
            d.Expect(d.Checked(prefs, IDC_PREFS_STARTUP), "first run: start at logon");
            d.Press(prefs, IDC_PREFS_BROWSE);
            d.Answer(IDOK, dir + "\\demarrage");
            d.Sync(prefs);
            d.Expect(d.Text(prefs, IDC_PREFS_PATH) == listFile, "the chosen list file");
            d.Click(prefs, IDOK);
            d.WaitGone(prefs);

            // Saved on the answer Yes; closing then asks nothing more.
            PostMessageA(main, WM_COMMAND, ID_FILE_SAVE_STARTUP, 0);
            for (int i = 0; i < 200 && GetFileAttributesA(listFile.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
                Sleep(50);
            d.Sync(main);
            PostMessageA(main, WM_CLOSE, 0, 0);
        }, GetWindowThreadProcessId(main, nullptr));
    };
    const e2e::RunResult run = e2e::Run("", options);
    if (driver) driver->Finish();
    ASSERT_TRUE(run.sawMainWindow);
    EXPECT_TRUE(run.finished);
    ASSERT_TRUE(driver);
    EXPECT_THAT(driver->failures, IsEmpty());
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, "Velunda");

    EXPECT_EQ(e2e::GetString("FilelistPath"), listFile);
    EXPECT_EQ(e2e::GetDword("Startup"), 1u);
    EXPECT_EQ(e2e::GetString("TimeType"), "startup");
    EXPECT_EQ(e2e::GetDword("NumDays"), 2u);
    EXPECT_EQ(e2e::GetDword("NumStartup"), 7u);
    EXPECT_EQ(e2e::GetDword("LastDays"), static_cast<uint32_t>(e2e::TodayMidnight()));
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);

    // Version "1.0", 2 entries, sum 3 + 3 - 3 + 5 - 3 + 1 = 6, then the entries in the order added.
    std::string expected("\x03" "1.0" "\x02\0\0\0" "\x06\0\0\0", 12);
    for (const auto& [file, rating] : {std::pair{alpes, '\x05'}, {mer, '\x01'}})
        expected += char(file.size()) + file + "\x03" "bmp" + rating + std::string(3, '\0');
    EXPECT_EQ(e2e::ReadBytes(listFile), std::vector<uint8_t>(expected.begin(), expected.end()));

    const std::optional<Shortcut> link = ReadShortcut(StartupShortcut());
    ASSERT_TRUE(link.has_value()) << "no shortcut in the Startup folder";
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, link->target.c_str(), -1,
                             e2e::VelundaPath().c_str(), -1),
              CSTR_EQUAL)
        << link->target;
    EXPECT_EQ(link->arguments, "/startup");
    EXPECT_EQ(link->description, "Velunda Application");

    // wineboot would start what the Startup folder holds: leave nothing behind.
    DeleteFileA(StartupShortcut().c_str());
    e2e::DeleteSettings();
    for (const std::string& file : {alpes, mer, listFile}) DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
}
