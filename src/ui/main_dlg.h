#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "choice/choice_win.h"
#include "list/wallpaper_list.h"
#include "ui/preview_pane.h"
#include "ui/wallpaper_list_box.h"
#include "win/dialog.h"
#include "win/handles.h"
#include "win/window_placement.h"

struct AddedFiles;
struct AppData;
class CWallpaperEntry;

// The main window: the wallpaper list and the menu. It owns no data: every
// command changes the application's list, ratingSum and listModified, and
// the list box in the same step.
class CMainDlg : public win::Dialog {
public:
    // `changeNow` draws and applies another wallpaper from the list, and
    // restarts the count after a change; `storeSettings` stores the settings
    // as closing does, when the session ends. The application gives both.
    explicit CMainDlg(AppData& app, HWND parent = nullptr,
                      std::function<WallpaperChange()> changeNow = {},
                      std::function<void()> storeSettings = {});

    // "Mettre en fond d'écran": puts that file up as change now puts up its
    // pick, and restarts the count. The application gives it.
    std::function<WallpaperChange(const CWallpaperEntry&)> putUp;

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
    void OnChangeNow();
    void ReportChange(WallpaperChange change);
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
    // Logging off: the closing question about unsaved list changes, while
    // Windows shows why the session waits. True lets the session end.
    bool OnQueryEndSession();
    bool OnPaint();
    void OnDropFiles(HDROP drop);
    void OnGetMinMaxInfo(MINMAXINFO& info);
    void OnDpiChanged(const RECT& suggested);
    void OnDpiApplied();
    void OnShowWindow(bool shown);

    // Where each control goes: the list box fills the client area.
    void Layout();
    // The window's icons at its DPI.
    void LoadIcons();
    // Opens where the window was left, when that was stored.
    void RestorePlacement();
    // Keeps where the window is left for the settings, once it moved or changed size.
    void KeepPlacement();
    // The list's right-click menu (and Shift+F10, the menu key), over the
    // selected entry; false for another window.
    bool OnContextMenu(HWND from, LPARAM at);
    void OnApply();
    void OnOpenFolder();
    // Turns the preview pane on or off, the window widening or narrowing by
    // it when `resize`.
    void ShowPreview(bool on, bool resize = true);
    bool PreviewShown() const;
    int PreviewWidth() const;
    // The selected entry's picture into the pane, when it is on.
    void PreviewSelected();

    // Adds the file to `added` as Add does, unless a list file cannot hold its path.
    void AddFile(const std::wstring& path, CWallpaperList& added, AddedFiles& files);
    // Moves the entries added into the list and the list box, in a step that
    // cannot fail: a failed Add or drop leaves the list as it was.
    void TakeAdded(CWallpaperList& added);
    // The one message after adding several files, when some were left out.
    void ReportAdded(const AddedFiles& files);

    // One list box item per entry of the list, head first.
    void FillListBox();
    // The selected entry, after the no-selection message when there is none.
    CWallpaperEntry* SelectedEntry(int& index);
    int Ask(const std::wstring& text, const std::wstring& caption, UINT style);
    // The closing question when the list has unsaved changes: true once they
    // are saved or given up, false to keep the window.
    bool ConfirmUnsaved();

    AppData& app_;
    std::function<WallpaperChange()> changeNow_;
    std::function<void()> storeSettings_;
    win::UniqueHIcon icon_;
    win::UniqueHIcon smallIcon_;
    std::optional<win::WindowPlacement> opened_;
    bool maximizeWhenShown_ = false;
    CPreviewPane preview_;
};
