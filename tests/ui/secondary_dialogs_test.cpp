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
#include "win/message_box.h"

using ::testing::IsEmpty;

namespace {

// The trackbar class must be registered before the rating dialog is created.
const bool controlsReady = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}();

constexpr const char* kInterval = "Interval de mise à jour";
constexpr const char* kPrefs = "Préférences générales";

// 2026-03-15 14:30:00 UTC: mid-day in every zone the tests may run in.
constexpr std::time_t kNow = 1773585000;

struct IntervalSettings {
    std::string TimeType;
    int32_t NumDays, NumStartup, LastDays, LastStartup;
    bool operator==(const IntervalSettings&) const = default;
};

IntervalSettings Interval(const CWallpaperApp& app) {
    return {app.TimeType, app.NumDays, app.NumStartup, app.LastDays, app.LastStartup};
}

void Prepare(CWallpaperApp& app, const std::string& kind) {
    app.TimeType = kind;
    app.NumDays = 12;
    app.NumStartup = 4;
    app.LastDays = 1000;
    app.LastStartup = 2;
    app.clock = [] { return kNow; };
}

std::string TempDir() {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    return dir;
}

}  // namespace

TEST(UpdateIntervalDialog, OpensOnTheChoiceThatTheFirstFourLettersName) {
    ASSERT_TRUE(controlsReady);
    for (const std::string kind : {"days", "daysafter", "startup", "Days", "weekly", ""}) {
        SCOPED_TRACE("kind \"" + kind + "\"");
        const bool days = kind.rfind("days", 0) == 0;
        CWallpaperApp app;
        Prepare(app, kind);
        const IntervalSettings before = Interval(app);
        DialogDriver driver([&](DialogDriver& d) {
            HWND dlg = d.WaitForDialog(kInterval);
            d.Expect(d.Checked(dlg, IDC_RADIO_DAYS) == days, "radio 1017");
            d.Expect(d.Checked(dlg, IDC_RADIO_STARTUPS) == !days, "radio 1016");
            d.Expect(d.Enabled(dlg, IDC_EDIT_DAYS) == days, "edit 1019 enabled");
            d.Expect(d.Enabled(dlg, IDC_EDIT_STARTUPS) == !days, "edit 1018 enabled");
            d.Expect(d.Text(dlg, IDC_EDIT_DAYS) == "12", "edit 1019 shows NumDays");
            d.Expect(d.Text(dlg, IDC_EDIT_STARTUPS) == "4", "edit 1018 shows NumStartup");
            d.Click(dlg, IDCANCEL);
        });
        EXPECT_FALSE(RunUpdateInterval(app, nullptr));
        driver.Finish();
        EXPECT_THAT(driver.failures, IsEmpty());
        EXPECT_EQ(Interval(app), before);
    }
}

TEST(UpdateIntervalDialog, TemplateHasTheGivenControls) {
    CWallpaperApp app;
    Prepare(app, "days");
    DialogDriver driver([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kInterval);
        for (int radio : {IDC_RADIO_STARTUPS, IDC_RADIO_DAYS}) {
            const LONG style = d.Style(dlg, radio);
            d.Expect((style & 0xF) == BS_AUTORADIOBUTTON, "auto radio " + std::to_string(radio));
            d.Expect(!(style & WS_GROUP), "no group " + std::to_string(radio));
        }
        // A checked radio button gets WS_TABSTOP from the system; 1016 is clear here.
        d.Expect(!(d.Style(dlg, IDC_RADIO_STARTUPS) & WS_TABSTOP), "no tab stop on 1016");
        d.Expect(d.Text(dlg, IDC_RADIO_STARTUPS) == "Tous les # démarrages", "label of 1016");
        d.Expect(d.Text(dlg, IDC_RADIO_DAYS) == "Tous les # jours", "label of 1017");
        for (int edit : {IDC_EDIT_STARTUPS, IDC_EDIT_DAYS})
            d.Expect(d.Style(dlg, edit) & ES_NUMBER, "digits only in " + std::to_string(edit));
        d.Expect(d.Text(dlg, IDCANCEL) == "Annuler", "cancel button");
        d.Click(dlg, IDCANCEL);
    });
    RunUpdateInterval(app, nullptr);
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
}

TEST(UpdateIntervalDialog, ConfirmedUnchangedStartsTheScheduleAgainToday) {
    CWallpaperApp app;
    Prepare(app, "startup");
    DialogDriver driver([](DialogDriver& d) { d.Click(d.WaitForDialog(kInterval), IDOK); });
    EXPECT_TRUE(RunUpdateInterval(app, nullptr));
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());

    EXPECT_EQ(app.TimeType, "startup");
    EXPECT_EQ(app.NumDays, 12);
    EXPECT_EQ(app.NumStartup, 4);
    EXPECT_EQ(app.LastStartup, 0);
    // LastDays: midnight, local time, of the day that holds kNow.
    const std::time_t lastDays = app.LastDays;
    const std::tm midnight = *std::localtime(&lastDays);
    const std::tm now = *std::localtime(&kNow);
    EXPECT_EQ(midnight.tm_hour, 0);
    EXPECT_EQ(midnight.tm_min, 0);
    EXPECT_EQ(midnight.tm_sec, 0);
    EXPECT_EQ(midnight.tm_yday, now.tm_yday);
    EXPECT_EQ(midnight.tm_year, now.tm_year);
}

TEST(UpdateIntervalDialog, RadioClicksSwitchTheEditsButCancelKeepsTimeType) {
    CWallpaperApp app;
    Prepare(app, "days");
    const IntervalSettings before = Interval(app);
    DialogDriver driver([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kInterval);
        d.Click(dlg, IDC_RADIO_STARTUPS);
        d.Expect(d.Checked(dlg, IDC_RADIO_STARTUPS) && !d.Checked(dlg, IDC_RADIO_DAYS), "1016 chosen");
        d.Expect(d.Enabled(dlg, IDC_EDIT_STARTUPS) && !d.Enabled(dlg, IDC_EDIT_DAYS), "1018 usable");
        d.Click(dlg, IDC_RADIO_DAYS);
        d.Expect(!d.Enabled(dlg, IDC_EDIT_STARTUPS) && d.Enabled(dlg, IDC_EDIT_DAYS), "1019 usable");
        d.Click(dlg, IDC_RADIO_STARTUPS);
        d.Click(dlg, IDCANCEL);
    });
    EXPECT_FALSE(RunUpdateInterval(app, nullptr));
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
    EXPECT_EQ(Interval(app), before);
}

TEST(UpdateIntervalDialog, UnknownKindIsWrittenBackUnlessARadioIsClicked) {
    CWallpaperApp app;
    Prepare(app, "weekly");
    DialogDriver keep([](DialogDriver& d) { d.Click(d.WaitForDialog(kInterval), IDOK); });
    EXPECT_TRUE(RunUpdateInterval(app, nullptr));
    keep.Finish();
    EXPECT_THAT(keep.failures, IsEmpty());
    EXPECT_EQ(app.TimeType, "weekly");

    // The radio shown is already 1016; clicking it still chooses "startup".
    DialogDriver click([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kInterval);
        d.Click(dlg, IDC_RADIO_STARTUPS);
        d.Click(dlg, IDOK);
    });
    EXPECT_TRUE(RunUpdateInterval(app, nullptr));
    click.Finish();
    EXPECT_THAT(click.failures, IsEmpty());
    EXPECT_EQ(app.TimeType, "startup");
}

TEST(UpdateIntervalDialog, RefusesNumbersOutsideOneTo32000EvenInTheDisabledEdit) {
    CWallpaperApp app;
    Prepare(app, "days");
    app.NumStartup = 0;  // as a registry may hold it
    const std::string outOfRange = "Veuillez entrer un nombre entier compris entre 1 et 32000.";
    DialogDriver driver([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kInterval);
        d.Expect(d.Text(dlg, IDC_EDIT_STARTUPS) == "0", "edit 1018 shows the stored 0");

        // Both edits are bad: the days edit is checked first, and alone.
        for (const char* bad : {"32001", "0"}) {
            d.SetText(dlg, IDC_EDIT_DAYS, bad);
            d.Press(dlg, IDOK);
            d.Expect(d.AnswerMessageBox(dlg) == outOfRange, std::string("message for ") + bad);
            d.Expect(IsWindowVisible(dlg), std::string("still open after ") + bad);
            d.Expect(d.Focus() == GetDlgItem(dlg, IDC_EDIT_DAYS), std::string("focus on 1019 after ") + bad);
            const LRESULT sel = SendMessageA(GetDlgItem(dlg, IDC_EDIT_DAYS), EM_GETSEL, 0, 0);
            d.Expect(LOWORD(sel) == 0 && HIWORD(sel) == strlen(bad), std::string("selected ") + bad);
        }

        // The days are right now; the disabled logon count is not.
        d.SetText(dlg, IDC_EDIT_DAYS, "32000");
        d.Press(dlg, IDOK);
        d.Expect(d.AnswerMessageBox(dlg) == outOfRange, "message for the disabled edit");
        d.Expect(IsWindowVisible(dlg), "still open for the disabled edit");

        d.SetText(dlg, IDC_EDIT_STARTUPS, "abc");
        d.Press(dlg, IDOK);
        d.Expect(d.AnswerMessageBox(dlg) == "Veuillez entrer un nombre entier.", "not a number");

        d.SetText(dlg, IDC_EDIT_STARTUPS, "1");
        d.Click(dlg, IDOK);
    });
    EXPECT_TRUE(RunUpdateInterval(app, nullptr));
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
    EXPECT_EQ(app.NumDays, 32000);
    EXPECT_EQ(app.NumStartup, 1);
    EXPECT_EQ(app.TimeType, "days");
}

TEST(GeneralPrefsDialog, TickedBoxGivesStartup1AndCancelChangesNothing) {
    CWallpaperApp app;
    app.Startup = false;
    app.FilelistPath = "C:\\Mes documents\\Velunda.dat";
    DialogDriver tick([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kPrefs);
        d.Expect(d.Text(dlg, IDC_PREFS_PATH) == app.FilelistPath, "edit 1008 shows the path");
        d.Expect(GetWindowLongA(GetDlgItem(dlg, IDC_PREFS_PATH), GWL_STYLE) & ES_READONLY, "read-only");
        d.Expect(d.Text(dlg, IDC_PREFS_STARTUP) == "Démarrer à l'ouverture de session", "box label");
        d.Expect(!d.Checked(dlg, IDC_PREFS_STARTUP), "box clear");
        d.Click(dlg, IDC_PREFS_STARTUP);
        d.Click(dlg, IDOK);
    });
    EXPECT_TRUE(RunGeneralPrefs(app, nullptr));
    tick.Finish();
    EXPECT_THAT(tick.failures, IsEmpty());
    EXPECT_TRUE(app.Startup);
    EXPECT_EQ(app.FilelistPath, "C:\\Mes documents\\Velunda.dat");

    DialogDriver untickAndCancel([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kPrefs);
        d.Expect(d.Checked(dlg, IDC_PREFS_STARTUP), "box ticked");
        d.Click(dlg, IDC_PREFS_STARTUP);
        d.Click(dlg, IDCANCEL);
    });
    EXPECT_FALSE(RunGeneralPrefs(app, nullptr));
    untickAndCancel.Finish();
    EXPECT_THAT(untickAndCancel.failures, IsEmpty());
    EXPECT_TRUE(app.Startup);
}

TEST(GeneralPrefsDialog, BrowseSetsThePathAndKeepsAnUnconfirmedTick) {
    CWallpaperApp app;
    app.Startup = false;
    app.FilelistPath = "C:\\ancien.dat";
    const std::string chosen = TempDir() + "velunda-prefs-test";  // no extension typed
    DialogDriver driver([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog(kPrefs);
        d.Click(dlg, IDC_PREFS_STARTUP);

        // A cancelled browse changes nothing.
        d.Press(dlg, IDC_PREFS_BROWSE);
        HWND files = d.WaitForOwned(dlg);
        PostMessageA(files, WM_COMMAND, IDCANCEL, 0);
        d.WaitGone(files);
        d.Sync(dlg);
        d.Expect(d.Text(dlg, IDC_PREFS_PATH) == "C:\\ancien.dat", "path kept after a cancelled browse");

        d.Press(dlg, IDC_PREFS_BROWSE);
        files = d.WaitForOwned(dlg);
        d.Expect(d.Text(files, 0x47C) == "Velunda.dat", "default file name");
        char filter[128] = {};
        SendMessageA(GetDlgItem(files, 0x470), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
        d.Expect(std::string(filter) == "Sauvegarde Velunda (*.dat)", "filter");
        d.SetText(files, 0x47C, chosen);
        PostMessageA(files, WM_COMMAND, IDOK, 0);
        d.WaitGone(files);
        d.Sync(dlg);
        d.Expect(d.Text(dlg, IDC_PREFS_PATH) == chosen + ".dat", "edit shows the chosen file");
        d.Expect(d.Checked(dlg, IDC_PREFS_STARTUP), "the tick survives the browse");
        d.Click(dlg, IDOK);
    });
    EXPECT_TRUE(RunGeneralPrefs(app, nullptr));
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
    EXPECT_EQ(app.FilelistPath, chosen + ".dat");
    EXPECT_TRUE(app.Startup);
    // Choosing the file neither creates nor writes it.
    EXPECT_EQ(GetFileAttributesA(app.FilelistPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(RatingDialog, ShowsTheRatingAndGivesTheNewOne) {
    int32_t rating = 3;
    DialogDriver driver([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog("Notation");
        HWND slider = GetDlgItem(dlg, IDC_RATING_SLIDER);
        char cls[64] = {};
        GetClassNameA(slider, cls, sizeof cls);
        d.Expect(std::string(cls) == "msctls_trackbar32", "slider class");
        const LONG style = GetWindowLongA(slider, GWL_STYLE);
        d.Expect((style & (TBS_AUTOTICKS | TBS_TOP | TBS_VERT)) == (TBS_AUTOTICKS | TBS_TOP), "slider style");
        d.Expect(d.Text(dlg, IDC_RATING_PATH) == "C:\\Images\\lac.bmp", "path shown");
        d.Expect(SendMessageA(slider, TBM_GETPOS, 0, 0) == 3, "slider at 3");
        d.Expect(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0) == 1, "range from 1");
        d.Expect(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0) == 5, "range to 5");
        SendMessageA(slider, TBM_SETPOS, TRUE, 5);
        d.Click(dlg, IDOK);
    });
    EXPECT_TRUE(RunRatingDialog("C:\\Images\\lac.bmp", rating, nullptr));
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
    EXPECT_EQ(rating, 5);
}

TEST(RatingDialog, OutOfRangeRatingsMoveToTheNearerEnd) {
    for (const auto& [stored, shown] : {std::pair{0, 1}, std::pair{-7, 1}, std::pair{9, 5}}) {
        SCOPED_TRACE(stored);
        int32_t rating = stored;
        int pos = -100;
        DialogDriver driver([&](DialogDriver& d) {
            HWND dlg = d.WaitForDialog("Notation");
            pos = static_cast<int>(SendMessageA(GetDlgItem(dlg, IDC_RATING_SLIDER), TBM_GETPOS, 0, 0));
            d.Click(dlg, IDOK);
        });
        EXPECT_TRUE(RunRatingDialog("C:\\a.bmp", rating, nullptr));
        driver.Finish();
        EXPECT_THAT(driver.failures, IsEmpty());
        EXPECT_EQ(pos, shown);
        EXPECT_EQ(rating, shown);
    }
}

TEST(RatingDialog, CancelKeepsTheRating) {
    int32_t rating = 2;
    DialogDriver driver([](DialogDriver& d) {
        HWND dlg = d.WaitForDialog("Notation");
        SendMessageA(GetDlgItem(dlg, IDC_RATING_SLIDER), TBM_SETPOS, TRUE, 5);
        d.Click(dlg, IDCANCEL);
    });
    EXPECT_FALSE(RunRatingDialog("C:\\a.bmp", rating, nullptr));
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
    EXPECT_EQ(rating, 2);
}

TEST(AboutDialog, ShowsNameVersionAndIcon) {
    struct Shown {
        std::vector<std::string> texts;
        bool icon = false;
    } shown;
    DialogDriver driver([&](DialogDriver& d) {
        HWND dlg = d.WaitForDialog("A propos de Velunda");
        EnumChildWindows(
            dlg,
            [](HWND child, LPARAM lp) -> BOOL {
                auto& shown = *reinterpret_cast<Shown*>(lp);
                if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                    shown.icon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
                } else {
                    char text[256] = {};
                    GetWindowTextA(child, text, sizeof text);
                    shown.texts.push_back(text);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown));
        d.Click(dlg, IDOK);
    });
    RunAbout(nullptr);
    driver.Finish();
    EXPECT_THAT(driver.failures, IsEmpty());
    EXPECT_THAT(shown.texts, ::testing::ElementsAre("Velunda version 1.0",
                                                    "Copyright (C) 2026 Zarnovell Software", "OK",
                                                    "www.zarnovell-software.example"));
    EXPECT_TRUE(shown.icon) << "icon 128 shown";
}
