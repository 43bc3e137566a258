#include "ui/update_interval_dlg.h"

#include <cwchar>

#include "res/resource.h"

CUpdateIntervalDlg::CUpdateIntervalDlg(HWND parent) : win::Dialog(IDD_UPDATE_INTERVAL, parent) {}

void CUpdateIntervalDlg::DoDataExchange(win::DataExchange& dx) {
    dx.Control(IDC_EDIT_STARTUPS, startupsEdit);
    dx.Control(IDC_EDIT_DAYS, daysEdit);
    // Both edits are checked, the disabled one too: both values are stored.
    dx.Int(IDC_EDIT_DAYS, numDays, 1, 32000);
    dx.Int(IDC_EDIT_STARTUPS, numStartup, 1, 32000);
}

BOOL CUpdateIntervalDlg::OnInitDialog() {
    win::Dialog::OnInitDialog();
    const bool days = std::wcsncmp(timeType.c_str(), L"days", 4) == 0;
    // Any other kind shows the logon choice, but stays as it is unless a radio is clicked.
    CheckRadioButton(hwnd(), IDC_RADIO_STARTUPS, IDC_RADIO_DAYS,
                     days ? IDC_RADIO_DAYS : IDC_RADIO_STARTUPS);
    EnableWindow(startupsEdit, !days);
    EnableWindow(daysEdit, days);
    return TRUE;
}

bool CUpdateIntervalDlg::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_RADIO_DAYS: ChooseDays(); return true;
    case IDC_RADIO_STARTUPS: ChooseStartups(); return true;
    default: return false;
    }
}

void CUpdateIntervalDlg::ChooseDays() {
    EnableWindow(startupsEdit, FALSE);
    EnableWindow(daysEdit, TRUE);
    timeType = L"days";
}

void CUpdateIntervalDlg::ChooseStartups() {
    EnableWindow(startupsEdit, TRUE);
    EnableWindow(daysEdit, FALSE);
    timeType = L"startup";
}
