// The four secondary dialogs, run for real and driven from a second thread.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>

#include "app/wallpaper_app.h"
#include "dialog_driver.h"
#include "res/resource.h"
#include "ui/dialog_commands.h"

using ::testing::ElementsAre;

namespace {

constexpr const char* kInterval = "Interval de mise à jour";
constexpr const char* kPrefs = "Préférences générales";
constexpr std::time_t kNow = 1773585000;  // 2026-03-15 14:30 UTC: mid-day in every zone

// Runs `open` in this thread while `script` drives it; returns what `open` gave.
bool Drive(const DialogDriver::Script& script, const std::function<bool()>& open,
           std::vector<std::string>* seen = nullptr) {
    // The trackbar class must be registered before the rating dialog is created.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    DialogDriver driver(script);
    const bool result = open();
    driver.Finish();
    EXPECT_THAT(driver.failures, ::testing::IsEmpty());
    if (seen) *seen = driver.seen;
    return result;
}

struct IntervalTest : ::testing::Test {
    CWallpaperApp app;
    void Prepare(const std::string& kind) {
        app.TimeType = kind;
        app.NumDays = 12;
        app.NumStartup = 4;
        app.LastDays = 1000;
        app.LastStartup = 2;
        app.clock = [] { return kNow; };
    }
    auto Settings() const { return std::tuple(app.TimeType, app.NumDays, app.NumStartup, app.LastDays, app.LastStartup); }
    bool Run(const DialogDriver::Script& script, std::vector<std::string>* seen = nullptr) {
        return Drive(script, [&] { return RunUpdateInterval(app, nullptr); }, seen);
    }
};

// Which radio is checked and which edit enabled, as "D" (days) or "S" (logons) each.
std::string Shown(DialogDriver& d, HWND dlg) {
    return std::string(d.Checked(dlg, IDC_RADIO_DAYS) ? "D" : "") + (d.Checked(dlg, IDC_RADIO_STARTUPS) ? "S" : "") +
           (d.Enabled(dlg, IDC_EDIT_DAYS) ? "D" : "") + (d.Enabled(dlg, IDC_EDIT_STARTUPS) ? "S" : "");
}

TEST_F(IntervalTest, OpensOnTheChoiceThatTheFirstFourLettersNameAndCancelKeepsAll) {
    for (const std::string kind : {"days", "daysafter", "startup", "Days", "weekly", ""}) {
        SCOPED_TRACE("kind \"" + kind + "\"");
        const bool days = kind.rfind("days", 0) == 0;
        Prepare(kind);
        const auto before = Settings();
        EXPECT_FALSE(Run([&](DialogDriver& d) {
            HWND dlg = d.WaitForDialog(kInterval);
            d.Expect(Shown(d, dlg) == (days ? "DD" : "SS"), "shown " + Shown(d, dlg));
            d.Expect(d.Text(dlg, IDC_EDIT_DAYS) == "12" && d.Text(dlg, IDC_EDIT_STARTUPS) == "4", "edits");
            if (days) {  // the radios switch the edits, yet Cancel keeps TimeType
                d.Click(dlg, IDC_RADIO_STARTUPS);
                d.Expect(Shown(d, dlg) == "SS", "after 1016: " + Shown(d, dlg));
                d.Click(dlg, IDC_RADIO_DAYS);
                d.Expect(Shown(d, dlg) == "DD", "after 1017: " + Shown(d, dlg));
                d.Click(dlg, IDC_RADIO_STARTUPS);
            }
            d.Click(dlg, IDCANCEL);
        }));
        EXPECT_EQ(Settings(), before);
    }
}

TEST_F(IntervalTest, ConfirmedUnchangedKeepsTheKindAndStartsTheScheduleAgainToday) {
    for (const std::string kind : {"startup", "weekly"}) {  // an unknown kind is written back
        SCOPED_TRACE(kind);
        Prepare(kind);
        EXPECT_TRUE(Run([](DialogDriver& d) { d.Click(d.WaitForDialog(kInterval), IDOK); }));
        const std::time_t lastDays = app.LastDays;
        const std::tm midnight = *std::localtime(&lastDays), now = *std::localtime(&kNow);
        EXPECT_EQ(Settings(), std::tuple(kind, 12, 4, app.LastDays, 0));
        EXPECT_EQ(std::tuple(midnight.tm_hour, midnight.tm_min, midnight.tm_sec, midnight.tm_yday, midnight.tm_year),
                  std::tuple(0, 0, 0, now.tm_yday, now.tm_year)) << "local midnight of today";
    }
    // Radio 1016 is already shown for "weekly"; clicking it still chooses "startup".
    EXPECT_TRUE(Run([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kInterval);
        d.Click(dlg, IDC_RADIO_STARTUPS);
        d.Click(dlg, IDOK);
    }));
    EXPECT_EQ(app.TimeType, "startup");
}

TEST_F(IntervalTest, RefusesNumbersOutsideOneTo32000EvenInTheDisabledEdit) {
    Prepare("days");
    app.NumStartup = 0;  // as a registry may hold it
    std::vector<std::string> seen;
    EXPECT_TRUE(Run([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kInterval);
        d.Expect(d.Text(dlg, IDC_EDIT_STARTUPS) == "0", "edit 1018 shows the stored 0");
        // Both edits are bad at first: the days edit is checked first, and alone.
        for (const std::string days : {"32001", "0", "32000"}) {
            SetDlgItemTextA(dlg, IDC_EDIT_DAYS, days.c_str());
            d.Press(dlg, IDOK);
            d.Answer(IDOK);
            d.Sync(dlg);
            d.Expect(IsWindowVisible(dlg), "still open after " + days);
            if (days == "32000") break;  // refused for the disabled edit
            const LRESULT sel = SendDlgItemMessageA(dlg, IDC_EDIT_DAYS, EM_GETSEL, 0, 0);
            d.Expect(d.Focus() == GetDlgItem(dlg, IDC_EDIT_DAYS) && LOWORD(sel) == 0 && HIWORD(sel) == days.size(),
                     days + " focused and selected");
        }
        SetDlgItemTextA(dlg, IDC_EDIT_STARTUPS, "1");
        d.Click(dlg, IDOK);
    }, &seen));
    const auto refused = ::testing::EndsWith("|Veuillez entrer un nombre entier compris entre 1 et 32000.|O");
    EXPECT_THAT(seen, ElementsAre(refused, refused, refused));
    EXPECT_EQ(Settings(), std::tuple("days", 32000, 1, app.LastDays, 0));
}

TEST(GeneralPrefsDialog, TickGivesStartup1AndSurvivesABrowseThatSetsThePath) {
    CWallpaperApp app;
    app.Startup = false;
    app.FilelistPath = "C:\\ancien.dat";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string chosen = std::string(temp) + "velunda-prefs-test";  // no extension typed
    std::vector<std::string> seen;
    EXPECT_TRUE(Drive([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kPrefs);
        d.Expect(d.Text(dlg, IDC_PREFS_PATH) == "C:\\ancien.dat", "edit 1008 shows the path");
        d.Expect(GetWindowLongA(GetDlgItem(dlg, IDC_PREFS_PATH), GWL_STYLE) & ES_READONLY, "read-only");
        d.Expect(d.Text(dlg, IDC_PREFS_STARTUP) == "Démarrer à l'ouverture de session", "box label");
        d.Expect(!d.Checked(dlg, IDC_PREFS_STARTUP), "box clear");
        d.Click(dlg, IDC_PREFS_STARTUP);
        for (const int button : {IDCANCEL, IDOK}) {
            d.Press(dlg, IDC_PREFS_BROWSE);
            d.Answer(button, chosen);
            d.Sync(dlg);
        }
        d.Expect(d.Text(dlg, IDC_PREFS_PATH) == chosen + ".dat", "edit shows the chosen file");
        d.Expect(d.Checked(dlg, IDC_PREFS_STARTUP), "the tick survives the browse");
        d.Click(dlg, IDOK);
    }, [&] { return RunGeneralPrefs(app, nullptr); }, &seen));
    const std::string files = "file|Sauvegarde Velunda (*.dat)|Velunda.dat";
    EXPECT_THAT(seen, ElementsAre(files, files));
    EXPECT_EQ(app.FilelistPath, chosen + ".dat");
    EXPECT_TRUE(app.Startup);
    EXPECT_EQ(GetFileAttributesA(app.FilelistPath.c_str()), INVALID_FILE_ATTRIBUTES) << "choosing writes nothing";

    EXPECT_FALSE(Drive([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kPrefs);
        d.Expect(d.Checked(dlg, IDC_PREFS_STARTUP), "box ticked");
        d.Click(dlg, IDC_PREFS_STARTUP);
        d.Click(dlg, IDCANCEL);
    }, [&] { return RunGeneralPrefs(app, nullptr); }));
    EXPECT_TRUE(app.Startup);
}

TEST(RatingDialog, ShowsTheRatingWithinOneToFiveAndGivesTheNewOne) {
    for (const auto& [stored, shown, moved] : {std::tuple{3, 3, 5}, {0, 1, 0}, {9, 5, 0}}) {  // 0: not moved
        SCOPED_TRACE(stored);
        int32_t rating = stored;
        EXPECT_TRUE(Drive([&](DialogDriver& d) {
            HWND dlg = d.WaitForDialog("Notation");
            HWND slider = GetDlgItem(dlg, IDC_RATING_SLIDER);
            const LONG style = GetWindowLongA(slider, GWL_STYLE);
            d.Expect((style & (TBS_AUTOTICKS | TBS_TOP | TBS_VERT)) == (TBS_AUTOTICKS | TBS_TOP), "slider style");
            d.Expect(d.Text(dlg, IDC_RATING_PATH) == "C:\\Images\\lac.bmp", "path shown");
            d.Expect(SendMessageA(slider, TBM_GETPOS, 0, 0) == shown, "slider position");
            d.Expect(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0) == 1 && SendMessageA(slider, TBM_GETRANGEMAX, 0, 0) == 5,
                     "range 1 to 5");
            if (moved) SendMessageA(slider, TBM_SETPOS, TRUE, moved);
            d.Click(dlg, IDOK);
        }, [&] { return RunRatingDialog("C:\\Images\\lac.bmp", rating, nullptr); }));
        EXPECT_EQ(rating, moved ? moved : shown);
    }
}

TEST(AboutDialog, ShowsNameVersionAndIcon) {
    std::vector<std::string> texts;
    bool icon = false;
    Drive([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog("A propos de Velunda");
        for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char text[256] = {};
            GetWindowTextA(child, text, sizeof text);
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                icon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
            else
                texts.push_back(text);
        }
        d.Click(dlg, IDOK);
    }, [] { RunAbout(nullptr); return true; });
    EXPECT_THAT(texts, ElementsAre("Velunda version 1.0", "Copyright (C) 2026 Zarnovell Software", "OK",
                                   "www.zarnovell-software.example"));
    EXPECT_TRUE(icon) << "icon 128 shown";
}

}  // namespace
