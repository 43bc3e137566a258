#include "ui/general_prefs_dlg.h"

#include "res/resource.h"
#include "win/file_dialog.h"

CGeneralPrefsDlg::CGeneralPrefsDlg(HWND parent) : win::Dialog(IDD_GENERAL_PREFS, parent) {}

void CGeneralPrefsDlg::DoDataExchange(win::DataExchange& dx) {
    dx.Text(IDC_PREFS_PATH, path);
    dx.Check(IDC_PREFS_STARTUP, startup);
}

bool CGeneralPrefsDlg::OnCommand(int id, int code) {
    if (id == IDC_PREFS_BROWSE && code == BN_CLICKED) {
        OnBrowse();
        return true;
    }
    return false;
}

void CGeneralPrefsDlg::OnBrowse() {
    win::FileDialog dialog(false, L".dat", L"Velunda.dat",
                           OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                           L"Sauvegarde Velunda (*.dat)|*.dat||", hwnd());
    if (dialog.DoModal() != IDOK) return;
    path = dialog.GetPathName();
    // The check box may hold a change not confirmed yet: keep it across the refresh.
    startup = IsDlgButtonChecked(hwnd(), IDC_PREFS_STARTUP) == BST_CHECKED ? 1 : 0;
    UpdateData(false);
}
