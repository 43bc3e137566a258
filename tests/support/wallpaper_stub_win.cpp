// A stand-in for the system's per-monitor wallpaper object, which Wine lacks: an in-process
// server whose object and class factory are plain tables of functions (only the slots that
// Velunda calls are filled). It talks to the test through the environment:
//   VELUNDA_STUB_MONITORS   how many monitors, 1 or 2: ids M0, M1, side by side, bottoms at 0,
//                           1920x1080 then 1080x1920
//   VELUNDA_STUB_SHOWN<i>   monitor i's picture (SetWallpaper writes it, GetWallpaper reads it)
//   VELUNDA_STUB_CALLS      each SetWallpaper and SetPosition, appended: "M0 a.bmp;pos 4;"
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::wstring Env(const std::wstring& name) {
    std::wstring value(4096, L'\0');
    return value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), 4096)), value;
}
HRESULT Record(const std::wstring& call) {
    const std::wstring calls = Env(L"VELUNDA_STUB_CALLS") + call + L";";
    return SetEnvironmentVariableW(L"VELUNDA_STUB_CALLS", calls.c_str()), S_OK;
}
// The copy that the caller frees; an id's name in the environment.
HRESULT Copy(const std::wstring& text, LPWSTR* out) {
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    return *out = static_cast<LPWSTR>(std::memcpy(CoTaskMemAlloc(size), text.c_str(), size)), S_OK;
}
std::wstring Shown(LPCWSTR id) { return L"VELUNDA_STUB_SHOWN" + std::wstring(id + 1); }

const RECT kMonitors[] = {{0, -1080, 1920, 0}, {1920, -1920, 3000, 0}};

// Static objects: every interface asked for is the object itself, and counting does nothing.
HRESULT STDMETHODCALLTYPE Query(void* self, REFIID, void** out) { return *out = self, S_OK; }
ULONG STDMETHODCALLTYPE Count(void*) { return 1; }
HRESULT STDMETHODCALLTYPE SetWallpaper(void*, LPCWSTR id, LPCWSTR path) {
    SetEnvironmentVariableW(Shown(id).c_str(), path);
    return Record(id + (L" " + std::wstring(path)));
}
HRESULT STDMETHODCALLTYPE GetWallpaper(void*, LPCWSTR id, LPWSTR* path) {
    return Copy(Env(Shown(id)), path);
}
HRESULT STDMETHODCALLTYPE PathAt(void*, UINT i, LPWSTR* id) {
    return Copy(L"M" + std::to_wstring(i), id);
}
HRESULT STDMETHODCALLTYPE PathCount(void*, UINT* n) {
    return *n = UINT(_wtoi(Env(L"VELUNDA_STUB_MONITORS").c_str())), S_OK;
}
HRESULT STDMETHODCALLTYPE Rect(void*, LPCWSTR id, RECT* r) {
    return *r = kMonitors[_wtoi(id + 1)], S_OK;
}
HRESULT STDMETHODCALLTYPE SetPosition(void*, int at) {
    return Record(L"pos " + std::to_wstring(at));
}

// IDesktopWallpaper's slots, in order, up to SetPosition; then the class factory's.
// clang-format off
const void* const kWallpaper[] = {(void*)Query, (void*)Count, (void*)Count, (void*)SetWallpaper,
    (void*)GetWallpaper, (void*)PathAt, (void*)PathCount, (void*)Rect, nullptr, nullptr,
    (void*)SetPosition};
// clang-format on
const void* const* wallpaper = kWallpaper;  // an object: the address of its table
HRESULT STDMETHODCALLTYPE CreateInstance(void*, IUnknown*, REFIID, void** out) {
    return *out = &wallpaper, S_OK;
}
const void* const kFactory[] = {(void*)Query, (void*)Count, (void*)Count, (void*)CreateInstance};
const void* const* factory = kFactory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID, REFIID, void** out) {
    return *out = &factory, S_OK;
}
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
