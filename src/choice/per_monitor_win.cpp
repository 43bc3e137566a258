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
#include "list/entry_path_win.h"
#include "win/handles.h"

namespace {

using Wallpaper = win::ComPtr<IDesktopWallpaper>;

bool Create(Wallpaper& wallpaper) {
    // The object lives in Explorer: in-process alone fails.
    return SUCCEEDED(CoCreateInstance(CLSID_DesktopWallpaper, nullptr, CLSCTX_ALL,
                                      IID_IDesktopWallpaper, wallpaper.PutVoid()));
}

// A string that the object allocated, taken over and freed.
std::wstring Take(LPWSTR text) {
    std::wstring taken = text ? text : L"";
    CoTaskMemFree(text);
    return taken;
}

// The picture that the monitor shows, as a list would hold its path; empty
// when no entry can name it.
std::string Shown(IDesktopWallpaper* wallpaper, const std::wstring& id) {
    LPWSTR path = nullptr;
    const HRESULT hr = wallpaper->GetWallpaper(id.c_str(), &path);
    const std::wstring shown = Take(path);
    return SUCCEEDED(hr) ? EntryPathFromWide(shown).value_or("") : std::string();
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
    const auto picks = ChoosePerMonitor(pool, areas, draw, [](const std::string& path) {
        const auto wide = EntryPathToWide(path);
        return wide ? PictureShape(*wide) : std::nullopt;
    });
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const auto path = picks[i] ? EntryPathToWide(picks[i]->path) : std::nullopt;
        if (!path || FAILED(wallpaper->SetWallpaper(monitors[i].id.c_str(), path->c_str())))
            return false;
    }
    // Its result is not examined, as with one picture: the pictures are set.
    if (position >= 0 && position <= 5)
        wallpaper->SetPosition(static_cast<DESKTOP_WALLPAPER_POSITION>(position));
    return true;
}
