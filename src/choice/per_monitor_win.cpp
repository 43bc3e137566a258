// The per-monitor object is declared for Windows 8 and later only; the
// program still runs on 7, where creating it just fails.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602

#include "choice/per_monitor_win.h"

#include <windows.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "choice/picture_shape_win.h"
#include "choice/weighted_choice.h"
#include "win/handles.h"

namespace {

using Wallpaper = win::ComPtr<IDesktopWallpaper>;

bool Create(Wallpaper& wallpaper) {
    // The object lives in Explorer: in-process alone fails.
    return SUCCEEDED(CoCreateInstance(CLSID_DesktopWallpaper, nullptr, CLSCTX_ALL,
                                      IID_IDesktopWallpaper, wallpaper.PutVoid()));
}

std::wstring Wide(const std::string& ansi) {
    const int size = static_cast<int>(ansi.size());
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, wide.data(), n);
    return wide;
}

// Empty when the code page cannot hold the text exactly: it then matches no entry.
std::string Ansi(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                      nullptr, &lossy);
    std::string ansi(n, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), n, nullptr,
                        &lossy);
    return lossy ? std::string() : ansi;
}

// A string that the object allocated, taken over and freed.
std::wstring Take(LPWSTR text) {
    std::wstring taken = text ? text : L"";
    CoTaskMemFree(text);
    return taken;
}

// The picture that the monitor shows, as a list would hold its path.
std::string Shown(IDesktopWallpaper* wallpaper, const std::wstring& id) {
    LPWSTR path = nullptr;
    const HRESULT hr = wallpaper->GetWallpaper(id.c_str(), &path);
    const std::wstring shown = Take(path);
    return SUCCEEDED(hr) ? Ansi(shown) : std::string();
}

struct Monitor {
    std::wstring id;
    MonitorArea area;
};

// The attached monitors; with `withCurrent`, the picture each one shows.
std::vector<Monitor> Monitors(IDesktopWallpaper* wallpaper, bool withCurrent) {
    std::vector<Monitor> monitors;
    UINT count = 0;
    if (FAILED(wallpaper->GetMonitorDevicePathCount(&count))) return monitors;
    for (UINT i = 0; i < count; ++i) {
        LPWSTR id = nullptr;
        const bool listed = SUCCEEDED(wallpaper->GetMonitorDevicePathAt(i, &id));
        Monitor monitor{Take(id), {}};
        RECT rect{};
        // A monitor that is not attached has no rectangle.
        if (!listed || wallpaper->GetMonitorRECT(monitor.id.c_str(), &rect) != S_OK ||
            rect.right <= rect.left || rect.bottom <= rect.top)
            continue;
        monitor.area.width = rect.right - rect.left;
        monitor.area.height = rect.bottom - rect.top;
        if (withCurrent) monitor.area.current = Shown(wallpaper, monitor.id);
        monitors.push_back(std::move(monitor));
    }
    return monitors;
}

}  // namespace

bool PerMonitorAvailable() {
    const win::ComScope com;
    Wallpaper wallpaper;
    return com && Create(wallpaper);
}

bool ApplyPerMonitor(const CWallpaperList& list, const ListDraw& draw, int32_t formats,
                     int32_t position, bool avoidCurrent) {
    const win::ComScope com;
    Wallpaper wallpaper;
    if (!com || !Create(wallpaper)) return false;
    const std::vector<Monitor> monitors = Monitors(wallpaper.Get(), avoidCurrent);
    if (monitors.size() < 2) return false;

    CWallpaperList pool;
    for (const CWallpaperEntry& entry : list)
        if (IsAppliedExtension(entry.ext, formats)) pool.AddTail(entry);
    std::vector<MonitorArea> areas;
    for (const Monitor& monitor : monitors) areas.push_back(monitor.area);
    const auto picks = ChoosePerMonitor(
        pool, areas, draw, [](const std::string& path) { return PictureShape(Wide(path)); });
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (!picks[i] ||
            FAILED(wallpaper->SetWallpaper(monitors[i].id.c_str(), Wide(picks[i]->path).c_str())))
            return false;
    // Its result is not examined, as with one picture: the pictures are set.
    if (position >= 0 && position <= 5)
        wallpaper->SetPosition(static_cast<DESKTOP_WALLPAPER_POSITION>(position));
    return true;
}
