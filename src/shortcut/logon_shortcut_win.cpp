#include "app/wallpaper_app.h"

// Placeholder until the logon shortcut lands.
void CWallpaperApp::UpdateLogonShortcut() {}
