#pragma once

#include <cstdint>
#include <string>

#include "list/wallpaper_list.h"
#include "settings/settings.h"

// What the application holds and the windows read and change directly: the
// settings, the wallpaper list with its rating sum and modified flag, and
// the current pick.
struct AppData : Settings {
    std::string currentExt;
    std::string currentPath;
    CWallpaperList wallpaperList;
    bool listModified = false;  // the list may differ from the file named by FilelistPath
    int32_t ratingSum = 0;
};
