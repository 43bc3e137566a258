#include "ui/display_prefs_dlg.h"

#include "res/resource.h"

namespace {

// The list's items, in this order: item i is the position i - 1.
constexpr const wchar_t* kPositions[] = {L"Ne pas changer", L"Centrer", L"Mosaïque", L"Étirer",
                                         L"Ajuster",        L"Remplir", L"Étendre"};

}  // namespace

CDisplayPrefsDlg::CDisplayPrefsDlg(HWND parent) : win::Dialog(IDD_DISPLAY_PREFS, parent) {}

void CDisplayPrefsDlg::DoDataExchange(win::DataExchange& dx) {
    dx.Check(IDC_DISPLAY_FORMATS, formats);
    dx.Check(IDC_DISPLAY_MONITORS, monitors);
    // Out of range shows "Ne pas changer", which is what it means.
    int item = position >= 0 && position <= 5 ? position + 1 : 0;
    dx.ListIndex(IDC_DISPLAY_POSITION, item);
    if (dx.saving()) position = item >= 1 ? item - 1 : -1;
}

BOOL CDisplayPrefsDlg::OnInitDialog() {
    // The items first: the exchange selects one of them.
    for (const wchar_t* text : kPositions)
        SendDlgItemMessageW(hwnd(), IDC_DISPLAY_POSITION, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
    EnableWindow(GetDlgItem(hwnd(), IDC_DISPLAY_MONITORS), monitorsAvailable);
    return win::Dialog::OnInitDialog();
}
