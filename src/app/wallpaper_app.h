#pragma once

#include <windows.h>

#include <ctime>
#include <functional>
#include <string>

#include "choice/choice_win.h"
#include "choice/per_monitor_win.h"
#include "choice/weighted_choice.h"
#include "list/list_io_win.h"
#include "settings/settings_store_win.h"
#include "shortcut/logon_shortcut_win.h"
#include "ui/app_data.h"

namespace win {
class Dialog;
}

// What a run takes from its surroundings; tests give their own.
struct Surroundings {
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    RandomSource* generator = nullptr;  // null: the program's own
    std::function<bool(const std::string&)> canOpenForReading = OpensForReading;
};

// The one application object: its data, and the run's steps as thin members
// over the parts that do them.
class CWallpaperApp : public AppData {
public:
    explicit CWallpaperApp(Surroundings surroundings = {}) : env_(std::move(surroundings)) {}
    CWallpaperApp(const CWallpaperApp&) = delete;
    CWallpaperApp& operator=(const CWallpaperApp&) = delete;
    virtual ~CWallpaperApp() = default;

    // Does the whole run; always false: there is no message loop afterwards.
    virtual BOOL InitInstance();

    bool LoadSettings() { return ::LoadSettings(*this, env_.clock()); }
    // All seven values, then the logon shortcut; never the shortcut after a
    // failed write.
    bool SaveSettings() {
        if (!::SaveSettings(*this)) return false;
        UpdateLogonShortcut();
        return true;
    }
    void SaveChangeMarker(bool startupKind) {
        ::SaveChangeMarker(*this, startupKind, env_.clock());
    }
    void UpdateLogonShortcut() { ::UpdateLogonShortcut(Startup, MainWindowHandle()); }
    bool LoadList(const std::wstring& path) { return ::LoadList(path, wallpaperList, ratingSum); }
    bool SaveList(const std::wstring& path) { return ::SaveList(path, wallpaperList, ratingSum); }
    bool ChooseWallpaper() { return Draw(wallpaperList, ratingSum); }
    bool ApplyWallpaper() { return ::ApplyWallpaper(currentPath, currentExt, Formats, Position); }
    // With Monitors 1, a picture for each monitor; false when that cannot be
    // done, and then one picture is set for all, as without it.
    bool ApplyPerMonitor(bool avoidCurrent) {
        return Monitors == 1 &&
               ::ApplyPerMonitor(wallpaperList,
                                 RatingDraw(Generator(), env_.clock, env_.canOpenForReading),
                                 Formats, Position, avoidCurrent);
    }

    // "Changer maintenant" and /next: draws another picture than the one
    // shown (DrawOtherWallpaper), so that the list keeps every entry, an
    // unreadable one too; applies it and, once the system has taken it,
    // restarts the schedule's count in memory. Otherwise the count stays.
    WallpaperChange ChangeNow();
    // "Mettre en fond d'écran": the given file put up and, once the system
    // has taken it, the count restarted, as ChangeNow does with its pick.
    WallpaperChange PutUp(const CWallpaperEntry& entry);

    // The main window's handle while it runs, else null.
    HWND MainWindowHandle() const;

    // The argument text after the program's name.
    std::wstring m_lpCmdLine;
    // The main window while start-up runs it.
    win::Dialog* m_pMainWnd = nullptr;

private:
    void TakeFirstRunDefaults();
    // The schedule's count starts again from now.
    void RestartCount();
    void RunLogon();
    void RunNext();
    RandomSource& Generator() { return env_.generator ? *env_.generator : ProgramGenerator(); }
    bool Draw(CWallpaperList& list, int32_t& sum) {
        return DrawWallpaper(list, sum, Generator(), env_.clock, env_.canOpenForReading,
                             currentPath, currentExt);
    }

    Surroundings env_;
};
