#pragma once

#include <windows.h>

// The newer per-monitor DPI calls, reached at run time: the program runs on
// Windows 7, which has only the system's one DPI.
namespace win {

// The DPI of the window's monitor (Windows 10 1607 and later), else the system's.
UINT WindowDpi(HWND hwnd);

// A system metric at `dpi` (Windows 10 1607 and later), else the system's
// metric scaled from the system's DPI.
int MetricForDpi(int index, UINT dpi);

}  // namespace win
