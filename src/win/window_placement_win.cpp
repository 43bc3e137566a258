#include "win/window_placement_win.h"

#include <cstring>

namespace win {
namespace {

static_assert(sizeof(WINDOWPLACEMENT) == kPlacementSize);

RECT Offset(const PlacementRect& r, POINT by) {
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

PlacementRect Offset(const RECT& r, POINT by) {
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// Workspace coordinates start at the primary monitor's work area, screen
// coordinates at the monitor itself: they differ by a taskbar at the top or left.
POINT WorkspaceOrigin() {
    MONITORINFO primary{sizeof primary, {}, {}, 0};
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    return {primary.rcWork.left - primary.rcMonitor.left,
            primary.rcWork.top - primary.rcMonitor.top};
}

}  // namespace

std::optional<WindowPlacement> GetPlacement(HWND hwnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hwnd, &placement)) return std::nullopt;
    return PlacementFromBytes(reinterpret_cast<const unsigned char*>(&placement), sizeof placement);
}

void SetPlacement(HWND hwnd, const WindowPlacement& placement) {
    WindowPlacement onScreen = placement;
    const POINT origin = WorkspaceOrigin();
    const RECT screen = Offset(placement.normal, origin);
    if (!MonitorFromRect(&screen, MONITOR_DEFAULTTONULL)) {
        MONITORINFO nearest{sizeof nearest, {}, {}, 0};
        GetMonitorInfoW(MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST), &nearest);
        onScreen.normal =
            MovedInto(placement.normal, Offset(nearest.rcWork, POINT{-origin.x, -origin.y}));
    }
    const auto bytes = PlacementBytes(onScreen);
    WINDOWPLACEMENT system{};
    std::memcpy(&system, bytes.data(), sizeof system);
    system.showCmd = SW_HIDE;
    SetWindowPlacement(hwnd, &system);
}

}  // namespace win
