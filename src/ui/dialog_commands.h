#pragma once

#include <windows.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "ui/app_data.h"

// What the main window's commands run. Each dialog is owned by `owner` and
// changes the application's fields in memory only, and only when it ends
// with OK; the registry is written when the main window has closed.

// ID_PREFS_GENERAL: FilelistPath and Startup. True when confirmed.
bool RunGeneralPrefs(AppData& app, HWND owner);

// ID_PREFS_INTERVAL: NumDays, NumStartup and TimeType. On OK the schedule
// starts again on the day of `now`: LastDays = its local midnight,
// LastStartup = 0. True when confirmed.
bool RunUpdateInterval(AppData& app, HWND owner, std::time_t now);

// ID_PREFS_DISPLAY: Formats and Position. True when confirmed.
bool RunDisplayPrefs(AppData& app, HWND owner);

// ID_WALLPAPER_RATING and the list box's double click: shows the file's path and
// its rating, and on OK sets `rating` to the one chosen (1 to 5) and returns
// true. The caller updates the entry, ratingSum and listModified.
bool RunRatingDialog(const std::wstring& path, int32_t& rating, HWND owner);

// ID_ABOUT.
void RunAbout(HWND owner);
