// The floor of a logon run: a program that reads one value of the settings
// key and nothing more (no change due), or that then also makes one bitmap,
// named by its argument, the wallpaper (FLOOR_CHANGE: a change due).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR bitmap, int) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Zarnovell Software\\Velunda\\1.0", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return 1;
    wchar_t path[MAX_PATH + 1] = {};
    DWORD size = sizeof path;
    const LSTATUS read = RegQueryValueExW(key, L"FilelistPath", nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS) return 1;
#ifdef FLOOR_CHANGE
    // The same calls and flags as the logon run's: the list's bytes made wide, then set.
    wchar_t wide[MAX_PATH] = {};
    if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bitmap, -1, wide, MAX_PATH)) return 1;
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide, SPIF_UPDATEINIFILE) ? 0 : 1;
#else
    (void)bitmap;
    return 0;
#endif
}
