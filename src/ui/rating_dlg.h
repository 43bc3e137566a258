#pragma once

#include <string>

#include "win/dialog.h"

// "Notation": the rating of one list entry, 1 to 5, on a slider.
class CRatingDlg : public win::Dialog {
public:
    explicit CRatingDlg(HWND parent = nullptr);

    HWND slider = nullptr;
    std::wstring path;
    int rating = 0;

protected:
    void DoDataExchange(win::DataExchange& dx) override;
    BOOL OnInitDialog() override;
};
