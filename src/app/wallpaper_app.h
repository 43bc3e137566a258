#pragma once

#include <windows.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "list/wallpaper_list.h"

class RandomSource;
namespace win { class Dialog; }

// The one application object: the settings as stored in the registry, the
// wallpaper list and the current pick. The windows read and change these
// fields directly.
class CWallpaperApp {
public:
    CWallpaperApp();
    CWallpaperApp(const CWallpaperApp&) = delete;
    CWallpaperApp& operator=(const CWallpaperApp&) = delete;
    virtual ~CWallpaperApp() = default;

    // Does the whole run; always false: there is no message loop afterwards.
    virtual BOOL InitInstance();

    // Registry settings.
    bool LoadSettings();
    bool SaveSettings();
    void SaveChangeMarker(bool startupKind);
    // The shortcut that starts the program at logon, per Startup.
    void UpdateLogonShortcut();
    // List files.
    bool LoadList(std::string path);
    bool SaveList(std::string path);
    // The weighted draw and the wallpaper.
    bool ChooseWallpaper();
    void ApplyWallpaper();

    // The main window's handle while it runs, else null.
    HWND MainWindowHandle() const;

    int32_t LastStartup = 0;
    int32_t LastDays = 0;
    int32_t NumStartup = 0;
    int32_t NumDays = 0;
    std::string TimeType;
    bool Startup = false;
    std::string FilelistPath;
    std::string currentExt;
    std::string currentPath;
    CWallpaperList wallpaperList;
    bool listModified = false;
    int32_t ratingSum = 0;

    // The argument text after the program's name.
    std::string m_lpCmdLine;
    // The main window while start-up runs it.
    win::Dialog* m_pMainWnd = nullptr;

    // Seams for tests; production keeps these defaults.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    RandomSource* generator = nullptr;  // null: the program's own generator
    std::function<bool(const std::string&)> canOpenForReading;  // empty: really open it

private:
    void TakeFirstRunDefaults();
    void RunLogon();
};
