#include <windows.h>

#include "app/command_line.h"
#include "app/wallpaper_app.h"

namespace {
// The application object lives for the whole process.
CWallpaperApp theApp;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApp.m_lpCmdLine = ArgumentText(GetCommandLineW());
    theApp.InitInstance();
    return 0;
}
