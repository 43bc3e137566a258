// The Affichage dialog, run for real and driven from a second thread.
#include <gtest/gtest.h>

#include "support/dialog_driver.h"
#include "res/resource.h"
#include "ui/dialog_commands.h"

TEST(DisplayPrefs, ShowsTheSettingsAndGivesBackWhatOkConfirms) {
    // In: Formats, Position. Shown: check box, list item. Then the box is
    // clicked, `pick` chosen and `button` pressed. Out: Formats, Position.
    for (auto [formats, position, shown, pick, button, out] :
         {std::tuple{1, 3, "1 4", 1, IDOK, std::pair{0, 0}}, {0, -1, "0 0", 6, IDOK, {1, 5}},
          {1, 0, "1 1", 0, IDOK, {0, -1}}, {0, 9, "0 0", 2, IDCANCEL, {0, 9}}}) {
        AppData app;
        app.Formats = formats, app.Position = position;
        std::string seen;
        DialogDriver driver([&, pick = pick, button = button](DialogDriver& d) {
            HWND dlg = d.Wait("Affichage");
            seen = std::to_string(IsDlgButtonChecked(dlg, IDC_DISPLAY_FORMATS)) + " " +
                   std::to_string(SendDlgItemMessageA(dlg, IDC_DISPLAY_POSITION, CB_GETCURSEL, 0, 0));
            d.Click(dlg, IDC_DISPLAY_FORMATS);
            SendDlgItemMessageA(dlg, IDC_DISPLAY_POSITION, CB_SETCURSEL, pick, 0);
            d.Click(dlg, button);
        });
        EXPECT_EQ(RunDisplayPrefs(app, nullptr), button == IDOK);
        driver.Finish();
        EXPECT_EQ(seen, shown);
        EXPECT_EQ(std::pair(app.Formats, app.Position), out) << formats << ' ' << position;
    }
}
