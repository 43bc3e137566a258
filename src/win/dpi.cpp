#include "win/dpi.h"

#include "win/handles.h"

namespace win {
namespace {

// user32's function of that name, or null on a Windows without it.
template <class Function>
Function User32(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC proc = user32 ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

UINT SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.dc(), LOGPIXELSY);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
    static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = forWindow ? forWindow(hwnd) : 0;
    return dpi ? dpi : SystemDpi();
}

int MetricForDpi(int index, UINT dpi) {
    static const auto forDpi = User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace win
