#pragma once

#include <string>

#include "win/dialog.h"

// "Préférences générales": the startup list file and the start at logon.
class CGeneralPrefsDlg : public win::Dialog {
public:
    explicit CGeneralPrefsDlg(HWND parent = nullptr);

    std::wstring path;  // the startup list file; changed only through the browse button
    int startup = 0;    // 1 when the program is to start at logon

protected:
    void DoDataExchange(win::DataExchange& dx) override;
    bool OnCommand(int id, int code) override;

private:
    void OnBrowse();
};
