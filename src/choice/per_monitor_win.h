#pragma once

#include <cstdint>

#include "choice/monitor_choice.h"

// One picture per monitor through the system's per-monitor wallpaper object
// (Windows 8 and later; it lives in Explorer). COM and the imaging component
// are loaded only here, and only when called.

// Whether that object can be had here.
bool PerMonitorAvailable();

// Gives each monitor a picture of the list whose extension is applied for
// `formats` (ChoosePerMonitor, shapes read from the files), then the
// position when it is 0..5. `avoidCurrent`: a monitor does not get back the
// picture it shows. False, having set nothing or not all, when it cannot be
// done: no such object, fewer than two monitors, nothing to draw, or a
// picture refused; the caller then sets one picture for all, as before.
bool ApplyPerMonitor(const CWallpaperList& list, const ListDraw& draw, int32_t formats,
                     int32_t position, bool avoidCurrent);
