#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CWallpaperApp;

// What the main window's commands run. Each dialog is owned by `owner` and
// changes the application's fields in memory only, and only when it ends
// with OK; the registry is written when the main window has closed.

// Command 32773: FilelistPath and Startup. True when confirmed.
bool RunGeneralPrefs(CWallpaperApp& app, HWND owner);

// Command 32775: NumDays, NumStartup and TimeType. On OK the schedule starts
// again today: LastDays = today's local midnight, LastStartup = 0. True when
// confirmed.
bool RunUpdateInterval(CWallpaperApp& app, HWND owner);

// Command 32776 and the list box's double click: shows the file's path and
// its rating, and on OK sets `rating` to the one chosen (1 to 5) and returns
// true. The caller updates the entry, ratingSum and listModified.
bool RunRatingDialog(const std::string& path, int32_t& rating, HWND owner);

// Command 16.
void RunAbout(HWND owner);
