// A stand-in for the system's per-monitor wallpaper object, which Wine lacks, as an in-process
// server. It lives in the test's process and talks to the test through the environment:
//   VELUNDA_STUB_MONITORS   the monitors, side by side: "1920x1080 1080x1920"; ids M0, M1...
//   VELUNDA_STUB_SHOWN<i>   monitor i's picture (SetWallpaper writes it, GetWallpaper reads it)
//   VELUNDA_STUB_CALLS      each SetWallpaper and SetPosition, appended: "M0 a.bmp;pos 4;"
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602

#include <windows.h>
#include <shobjidl.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::wstring Env(const std::wstring& name) {
    std::wstring value(4096, L'\0');
    value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), 4096));
    return value;
}

void Record(const std::wstring& call) {
    SetEnvironmentVariableW(L"VELUNDA_STUB_CALLS",
                            (Env(L"VELUNDA_STUB_CALLS") + call + L";").c_str());
}

std::vector<RECT> Monitors() {
    std::vector<RECT> rects;
    std::wistringstream in(Env(L"VELUNDA_STUB_MONITORS"));
    LONG x = 0, w = 0, h = 0;
    wchar_t by = 0;
    while (in >> w >> by >> h) rects.push_back({x, 0, x += w, h});
    return rects;
}

// The monitor's index, or -1 for an id that is not one.
int IndexOf(LPCWSTR id) {
    const int i = id && id[0] == L'M' ? _wtoi(id + 1) : -1;
    return i >= 0 && i < int(Monitors().size()) ? i : -1;
}

LPWSTR Copy(const std::wstring& text) {
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    std::memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return copy;
}

template <class I>
class Unknown : public I {
public:
    virtual ~Unknown() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == __uuidof(I) ? this : nullptr;
        return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (!left) delete this;
        return left;
    }

private:
    ULONG refs_ = 1;
};

class Wallpaper : public Unknown<IDesktopWallpaper> {
public:
    HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR id, LPCWSTR path) override {
        if (IndexOf(id) < 0) return E_INVALIDARG;
        Record(std::wstring(id) + L' ' + path);
        SetEnvironmentVariableW((L"VELUNDA_STUB_SHOWN" + std::wstring(id + 1)).c_str(), path);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR id, LPWSTR* path) override {
        *path = IndexOf(id) < 0 ? nullptr : Copy(Env(L"VELUNDA_STUB_SHOWN" + std::wstring(id + 1)));
        return *path ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT i, LPWSTR* id) override {
        *id = i < Monitors().size() ? Copy(L"M" + std::to_wstring(i)) : nullptr;
        return *id ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) override {
        *count = UINT(Monitors().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR id, RECT* rect) override {
        const int i = IndexOf(id);
        if (i < 0) return E_INVALIDARG;
        *rect = Monitors()[i];
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetPosition(DESKTOP_WALLPAPER_POSITION position) override {
        Record(L"pos " + std::to_wstring(int(position)));
        return S_OK;
    }
    // Nothing else is used.
    HRESULT STDMETHODCALLTYPE SetBackgroundColor(COLORREF) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBackgroundColor(COLORREF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPosition(DESKTOP_WALLPAPER_POSITION*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetSlideshow(IShellItemArray*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSlideshow(IShellItemArray**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSlideshowOptions(DESKTOP_SLIDESHOW_OPTIONS, UINT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetSlideshowOptions(DESKTOP_SLIDESHOW_OPTIONS*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AdvanceSlideshow(LPCWSTR, DESKTOP_SLIDESHOW_DIRECTION) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetStatus(DESKTOP_SLIDESHOW_STATE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Enable(BOOL) override { return E_NOTIMPL; }
};

class Factory : public Unknown<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* wallpaper = new Wallpaper;
        const HRESULT hr = wallpaper->QueryInterface(iid, out);
        wallpaper->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    *out = nullptr;
    if (clsid != CLSID_DesktopWallpaper) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new Factory;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
