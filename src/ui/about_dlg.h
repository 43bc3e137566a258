#pragma once

#include "win/dialog.h"

// "A propos de Velunda": name, version, copyright and web address.
class CAboutDlg : public win::Dialog {
public:
    explicit CAboutDlg(HWND parent = nullptr);
};
