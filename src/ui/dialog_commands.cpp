#include "ui/dialog_commands.h"

#include "choice/per_monitor_win.h"
#include "settings/local_midnight.h"
#include "ui/about_dlg.h"
#include "ui/display_prefs_dlg.h"
#include "ui/general_prefs_dlg.h"
#include "ui/rating_dlg.h"
#include "ui/update_interval_dlg.h"

bool RunGeneralPrefs(AppData& app, HWND owner) {
    CGeneralPrefsDlg dlg(owner);
    dlg.startup = app.Startup ? 1 : 0;
    dlg.path = app.FilelistPath;
    if (dlg.DoModal() != IDOK) return false;
    app.Startup = dlg.startup != 0;
    app.FilelistPath = dlg.path;
    return true;
}

bool RunUpdateInterval(AppData& app, HWND owner, std::time_t now) {
    CUpdateIntervalDlg dlg(owner);
    dlg.numStartup = app.NumStartup;
    dlg.numDays = app.NumDays;
    dlg.timeType = app.TimeType;
    if (dlg.DoModal() != IDOK) return false;
    app.NumDays = dlg.numDays;
    app.NumStartup = dlg.numStartup;
    app.TimeType = dlg.timeType;
    app.LastDays = static_cast<int32_t>(LocalMidnight(now));
    app.LastStartup = 0;
    return true;
}

bool RunDisplayPrefs(AppData& app, HWND owner) {
    CDisplayPrefsDlg dlg(owner);
    dlg.formats = app.Formats == 1 ? 1 : 0;
    dlg.position = app.Position;
    dlg.monitors = app.Monitors == 1 ? 1 : 0;
    dlg.monitorsAvailable = PerMonitorAvailable();
    if (dlg.DoModal() != IDOK) return false;
    app.Formats = dlg.formats;
    app.Position = dlg.position;
    app.Monitors = dlg.monitors;
    return true;
}

bool RunRatingDialog(const std::wstring& path, int32_t& rating, HWND owner) {
    CRatingDlg dlg(owner);
    dlg.path = path;
    dlg.rating = rating;
    if (dlg.DoModal() != IDOK) return false;
    rating = dlg.rating;
    return true;
}

void RunAbout(HWND owner) {
    CAboutDlg dlg(owner);
    dlg.DoModal();
}
