#include "ui/rating_dlg.h"

#include <commctrl.h>

#include "res/resource.h"

CRatingDlg::CRatingDlg(HWND parent) : win::Dialog(IDD_RATING, parent) {}

void CRatingDlg::DoDataExchange(win::DataExchange& dx) {
    dx.Control(IDC_RATING_SLIDER, slider);
    dx.Text(IDC_RATING_PATH, path);
    dx.Slider(IDC_RATING_SLIDER, rating);
}

BOOL CRatingDlg::OnInitDialog() {
    win::Dialog::OnInitDialog();
    // Set after the position: a rating outside 1..5 moves to the nearer end.
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 5));
    return TRUE;
}
