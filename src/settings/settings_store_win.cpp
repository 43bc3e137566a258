#include "app/wallpaper_app.h"

// Placeholder until the registry store lands: nothing is stored yet.
bool CWallpaperApp::LoadSettings() { return false; }
bool CWallpaperApp::SaveSettings() { return false; }
void CWallpaperApp::SaveChangeMarker(bool) {}
