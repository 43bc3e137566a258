// The floor of a logon run with no change due: a program that reads one value
// of the settings key and nothing more.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Zarnovell Software\\Velunda\\1.0", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return 1;
    char path[MAX_PATH + 1] = {};
    DWORD size = sizeof path;
    const LSTATUS read = RegQueryValueExA(key, "FilelistPath", nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? 0 : 1;
}
