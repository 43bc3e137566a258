// Shows each secondary dialog in a typical state and holds it while
// scripts/dialog-screenshots.sh photographs the screen. Handshake through files
// in the folder given as argument: "<name>.ready" from here, "<name>.done" back.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <ctime>
#include <functional>
#include <string>

#include "support/dialog_driver.h"
#include "ui/dialog_commands.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string folder = argv[1];
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    AppData app;
    app.FilelistPath = L"C:\\users\\Public\\Documents\\Velunda.dat";
    app.Startup = true;
    app.TimeType = L"days";
    app.NumDays = 3;
    app.NumStartup = 5;
    app.Formats = 1;
    app.Position = 4;
    int32_t rating = 4;
    const struct {
        const char* name;
        const wchar_t* caption;
        std::function<void()> open;
    } shots[] = {
        {"prefs", L"Préférences générales", [&] { RunGeneralPrefs(app, nullptr); }},
        {"interval", L"Interval de mise à jour",
         [&] { RunUpdateInterval(app, nullptr, std::time(nullptr)); }},
        {"display", L"Affichage", [&] { RunDisplayPrefs(app, nullptr); }},
        {"rating", L"Notation",
         [&] {
             RunRatingDialog(L"C:\\users\\Public\\Pictures\\Lac de montagne.bmp", rating, nullptr);
         }},
        {"about", L"A propos de Velunda", [] { RunAbout(nullptr); }},
    };
    for (const auto& shot : shots) {
        DialogDriver driver([&](DialogDriver& d) {
            HWND dlg = d.Wait(shot.caption);
            // Without a window manager Wine draws the first window's caption
            // inactive even when it is the foreground window: redraw it active.
            if (GetForegroundWindow() == dlg) SendMessageW(dlg, WM_NCACTIVATE, TRUE, 0);
            RedrawWindow(dlg, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Sleep(300);
            const std::string base = folder + "\\" + shot.name;
            if (FILE* f = std::fopen((base + ".ready").c_str(), "w")) std::fclose(f);
            for (int i = 0;
                 i < 600 && GetFileAttributesW(std::filesystem::path(base + ".done").c_str()) ==
                                INVALID_FILE_ATTRIBUTES;
                 ++i)
                Sleep(100);
            PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);  // About has no Cancel button
        });
        shot.open();
    }
    return 0;
}
