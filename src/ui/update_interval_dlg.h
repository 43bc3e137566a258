#pragma once

#include <string>

#include "win/dialog.h"

// "Interval de mise à jour": change the wallpaper every N logons or every N days.
class CUpdateIntervalDlg : public win::Dialog {
public:
    explicit CUpdateIntervalDlg(HWND parent = nullptr);

    std::wstring timeType;  // the schedule kind, a copy of TimeType
    HWND startupsEdit = nullptr;
    HWND daysEdit = nullptr;
    int numDays = 0;
    int numStartup = 0;

protected:
    void DoDataExchange(win::DataExchange& dx) override;
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

private:
    void ChooseDays();
    void ChooseStartups();
};
