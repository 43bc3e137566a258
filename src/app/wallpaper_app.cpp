#include "app/wallpaper_app.h"

#include <commctrl.h>
#include <shlobj.h>

#include <utility>

#include "app/command_line.h"
#include "app/schedule.h"
#include "settings/local_midnight.h"
#include "ui/main_dlg.h"

HWND CWallpaperApp::MainWindowHandle() const { return m_pMainWnd ? m_pMainWnd->hwnd() : nullptr; }

BOOL CWallpaperApp::InitInstance() {
    _tzset();

    const bool logon = IsLogonRun(m_lpCmdLine);
    const bool next = !logon && IsNextRun(m_lpCmdLine);
    ratingSum = 0;
    if (LoadSettings()) {
        LoadList(FilelistPath);
    } else {
        // A first logon or /next run reads nothing, draws nothing and writes nothing.
        if (logon || next) return FALSE;
        TakeFirstRunDefaults();
    }

    if (logon) {
        RunLogon();
        return FALSE;
    }
    if (next) {
        RunNext();
        return FALSE;
    }
    // The window's run alone from here: the DLLs that only the window uses are
    // delay-loaded, and the logon run must not touch them. Common controls 6
    // (the manifest asks for them) for the dialogs' controls.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    listModified = false;
    // Stored when the window closes, or earlier when the session ends: once.
    bool stored = false;
    const auto store = [this, &stored] {
        if (!std::exchange(stored, true)) SaveSettings();
    };
    const auto changeNow = [this] { return ChangeNow(); };
    CMainDlg mainDlg(*this, nullptr, changeNow, store);
    mainDlg.putUp = [this](const CWallpaperEntry& entry) { return PutUp(entry); };
    m_pMainWnd = &mainDlg;
    mainDlg.DoModal();
    store();
    m_pMainWnd = nullptr;
    return FALSE;
}

void CWallpaperApp::TakeFirstRunDefaults() {
    Startup = true;
    wchar_t personal[MAX_PATH] = {};
    // The query's result is not examined: a failure leaves an empty folder,
    // and the list file then lies at the root of the current drive.
    SHGetSpecialFolderPathW(MainWindowHandle(), personal, CSIDL_PERSONAL, FALSE);
    personal[MAX_PATH - 1] = L'\0';
    FilelistPath = std::wstring(personal) + L"\\Velunda.dat";
    NumDays = 1;
    NumStartup = 1;
    TimeType = L"days";
    LastDays = static_cast<int32_t>(LocalMidnight(env_.clock()));
    LastStartup = 0;
}

void CWallpaperApp::RunLogon() {
    const ScheduleDecision d =
        DecideSchedule({TimeType, NumDays, NumStartup, LastDays, LastStartup}, env_.clock());
    LastStartup = d.lastStartup;
    // The marker comes first: the change counts as made even if no file is usable.
    if (d.writeMarker) SaveChangeMarker(d.startupKind);
    if (d.changeDue && !ApplyPerMonitor(false) && ChooseWallpaper()) ApplyWallpaper();
}

WallpaperChange CWallpaperApp::ChangeNow() {
    if (!ApplyPerMonitor(true)) {
        if (!DrawOtherWallpaper(wallpaperList, Formats, CurrentWallpaper(), Generator(), env_.clock,
                                env_.canOpenForReading, currentPath, currentExt))
            return WallpaperChange::NoneAvailable;
        if (!ApplyWallpaper()) return WallpaperChange::Refused;
    }
    RestartCount();
    return WallpaperChange::Changed;
}

// SystemParametersInfo puts the one picture on every monitor.
WallpaperChange CWallpaperApp::PutUp(const CWallpaperEntry& entry) {
    currentPath = entry.path;
    currentExt = entry.ext;
    if (!ApplyWallpaper()) return WallpaperChange::Refused;
    RestartCount();
    return WallpaperChange::Changed;
}

void CWallpaperApp::RestartCount() {
    if (TimeType == L"days") LastDays = static_cast<int32_t>(LocalMidnight(env_.clock()));
    if (TimeType == L"startup") LastStartup = 0;
}

void CWallpaperApp::RunNext() {
    // The restarted count is stored alone, as a logon run stores its marker;
    // the list file is not written.
    if (ChangeNow() != WallpaperChange::Changed) return;
    if (TimeType == L"days" || TimeType == L"startup") SaveChangeMarker(TimeType == L"startup");
}
