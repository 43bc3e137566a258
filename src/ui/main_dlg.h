#pragma once

#include "win/dialog.h"

class CWallpaperApp;

// The main window: the wallpaper list and the menu.
class CMainDlg : public win::Dialog {
public:
    explicit CMainDlg(CWallpaperApp& app, HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    CWallpaperApp& app_;
};
