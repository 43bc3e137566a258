#include "ui/main_dlg.h"

#include "app/wallpaper_app.h"
#include "res/resource.h"

CMainDlg::CMainDlg(CWallpaperApp& app, HWND parent)
    : win::Dialog(IDD_VELUNDA_DIALOG, parent), app_(app) {}

BOOL CMainDlg::OnInitDialog() { return win::Dialog::OnInitDialog(); }
