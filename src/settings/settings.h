#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "win/window_placement.h"

// The settings, as stored under HKCU\Software\Zarnovell Software\Velunda\1.0.
// Each field carries the name of the registry value that it mirrors.
struct Settings {
    int32_t LastStartup = 0;    // logons counted since the last change
    int32_t LastDays = 0;       // local midnight of the day of the last change
    int32_t NumStartup = 0;     // change every this many logons
    int32_t NumDays = 0;        // change every this many days
    std::wstring TimeType;      // "days" or "startup": what the schedule counts
    bool Startup = false;       // start at logon through the Startup folder's shortcut
    std::wstring FilelistPath;  // the list file read at start
    // Added in 1.1. Missing, malformed or out of range, each means "as 1.0".
    int32_t Formats = 0;    // 0: apply BMP only; 1: JPEG and PNG too
    int32_t Position = -1;  // 0 centre .. 5 span; -1: leave the system's position alone
    // Added in 1.2, read the same way.
    int32_t Monitors = 0;  // 1: one picture per monitor; 0: one for all
    // Where the main window was left; none: where 1.0 opened it.
    std::optional<win::WindowPlacement> Placement = std::nullopt;
    int32_t Preview = 0;    // 1: the main window shows the preview pane
};
