#pragma once

#include <cstdint>

#include "win/dialog.h"

// "Affichage": which pictures are applied, and where the wallpaper sits.
class CDisplayPrefsDlg : public win::Dialog {
public:
    explicit CDisplayPrefsDlg(HWND parent = nullptr);

    int formats = 0;        // 1: JPEG and PNG are applied too
    int32_t position = -1;  // 0 centre .. 5 span; -1 "Ne pas changer"

    int monitors = 0;                // 1: one picture per monitor
    bool monitorsAvailable = false;  // else that box is greyed

protected:
    void DoDataExchange(win::DataExchange& dx) override;
    BOOL OnInitDialog() override;
};
