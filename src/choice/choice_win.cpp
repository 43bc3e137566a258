#include "app/wallpaper_app.h"

// Placeholder until the weighted choice lands: nothing is picked.
bool CWallpaperApp::ChooseWallpaper() {
    currentPath.clear();
    currentExt.clear();
    return false;
}
void CWallpaperApp::ApplyWallpaper() {}
