// A Windows program that does nothing but load user32, as every program that
// sets the wallpaper must: the floor for timing the logon run under Wine,
// where loading user32 costs more than the rest of the process start.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    // Never taken; it only keeps the import.
    if (cmdLine[0] == '\x01') return SystemParametersInfoA(SPI_GETDESKWALLPAPER, 0, nullptr, 0);
    return 0;
}
