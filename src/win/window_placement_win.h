#pragma once

#include <windows.h>

#include <optional>

#include "win/window_placement.h"

namespace win {

// The window's placement now; none when the system cannot say.
std::optional<WindowPlacement> GetPlacement(HWND hwnd);

// Gives the window, not shown yet, `placement`'s restored rectangle; it stays
// hidden. A rectangle that lies off every monitor (one unplugged since) is
// moved onto the nearest monitor's work area first. Maximizing is left to
// the caller, once the window shows: showing a dialog restores it.
void SetPlacement(HWND hwnd, const WindowPlacement& placement);

}  // namespace win
