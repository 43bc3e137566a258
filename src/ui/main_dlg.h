#pragma once

#include <cstdint>
#include <string>

#include "ui/wallpaper_list_box.h"
#include "win/dialog.h"

struct AppData;
class CWallpaperEntry;

// The main window: the wallpaper list and the menu. It owns no data: every
// command changes the application's list, ratingSum and listModified, and
// the list box in the same step.
class CMainDlg : public win::Dialog {
public:
    explicit CMainDlg(AppData& app, HWND parent = nullptr);

    // The file beside the executable that Help opens.
    static std::string ReadmePath(const std::string& exePath);

protected:
    void DoDataExchange(win::DataExchange& dx) override;
    BOOL OnInitDialog() override;
    // Enter does nothing: the window has no button to confirm.
    void OnOK() override {}
    // Escape closes through WM_CLOSE, so it asks about unsaved changes too.
    void OnCancel() override;
    bool OnCommand(int id, int code) override;
    bool OnDrawItem(int id, DRAWITEMSTRUCT& item) override;
    int OnCompareItem(int id, const COMPAREITEMSTRUCT& items) override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

    // Asks for a new rating of the file; false when cancelled.
    virtual bool AskRating(const std::string& path, int32_t& rating);

    CWallpaperListBox listBox;

private:
    void OnAdd();
    void OnRemove();
    void OnNewList();
    void OnOpenList();
    void OnSaveList();
    void OnSaveStartupList();
    void OnModifyRating();
    void OnGeneralPrefs();
    void OnUpdateInterval();
    void OnDisplayPrefs();
    void OnAbout();
    void OnHelp();
    void OnClose();
    bool OnPaint();

    // One list box item per entry of the list, head first.
    void FillListBox();
    // The selected entry, after the no-selection message when there is none.
    CWallpaperEntry* SelectedEntry(int& index);
    int Ask(const std::string& text, const std::string& caption, UINT style);

    AppData& app_;
    HICON icon_;
    HICON smallIcon_;
};
