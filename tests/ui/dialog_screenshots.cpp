// Shows each secondary dialog in a typical state and holds it while
// scripts/dialog-screenshots.sh photographs the screen. The handshake goes
// through files in the folder given as the argument: "<name>.ready" from
// here, "<name>.done" from the script.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/wallpaper_app.h"
#include "dialog_driver.h"
#include "res/resource.h"
#include "ui/dialog_commands.h"

namespace {

std::string folder;

void Hold(DialogDriver& d, HWND dlg, const std::string& name) {
    d.Sync(dlg);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    if (FILE* f = std::fopen((folder + "\\" + name + ".ready").c_str(), "w")) std::fclose(f);
    const std::string done = folder + "\\" + name + ".done";
    for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    folder = argv[1];
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    CWallpaperApp app;
    app.FilelistPath = "C:\\users\\Public\\Documents\\Velunda.dat";
    app.Startup = true;
    app.TimeType = "days";
    app.NumDays = 3;
    app.NumStartup = 5;

    {
        DialogDriver d([](DialogDriver& d) {
            HWND dlg = d.WaitForDialog("Préférences générales");
            Hold(d, dlg, "prefs");
            d.Click(dlg, IDCANCEL);
        });
        RunGeneralPrefs(app, nullptr);
    }
    {
        DialogDriver d([](DialogDriver& d) {
            HWND dlg = d.WaitForDialog("Interval de mise à jour");
            Hold(d, dlg, "interval");
            d.Click(dlg, IDCANCEL);
        });
        RunUpdateInterval(app, nullptr);
    }
    {
        int32_t rating = 4;
        DialogDriver d([](DialogDriver& d) {
            HWND dlg = d.WaitForDialog("Notation");
            Hold(d, dlg, "rating");
            d.Click(dlg, IDCANCEL);
        });
        RunRatingDialog("C:\\users\\Public\\Pictures\\Lac de montagne.bmp", rating, nullptr);
    }
    {
        DialogDriver d([](DialogDriver& d) {
            HWND dlg = d.WaitForDialog("A propos de Velunda");
            Hold(d, dlg, "about");
            d.Click(dlg, IDOK);
        });
        RunAbout(nullptr);
    }
    return 0;
}
