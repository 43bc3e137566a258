#include "app/wallpaper_app.h"

// Placeholder until the list file lands: nothing is read or written.
bool CWallpaperApp::LoadList(std::string) { return true; }
bool CWallpaperApp::SaveList(std::string) { return false; }
