#include "ui/main_dlg.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <ctime>

#include "choice/weighted_choice.h"
#include "list/entry_path_win.h"
#include "list/list_io_win.h"
#include "res/resource.h"
#include "ui/added_files.h"
#include "ui/app_data.h"
#include "ui/dialog_commands.h"
#include "ui/shell_files.h"
#include "win/dpi.h"
#include "win/file_dialog.h"
#include "win/handles.h"
#include "win/message_box.h"
#include "win/module_path.h"
#include "win/window_placement_win.h"

namespace {

const wchar_t kCaption[] = L"Velunda";
const wchar_t kNoSelection[] = L"Aucun fond d'écran sélectionné";
const wchar_t kListFilter[] = L"Listes de fonds d'écran (.vdl)|*.vdl||";
const wchar_t kBmpFilter[] = L"Fonds d'écran (.bmp)|*.bmp||";
// With JPEG and PNG applied, they are offered first; the bitmaps alone second.
const wchar_t kImageFilter[] =
    L"Images (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|Fonds d'écran (.bmp)|*.bmp||";

// ratingSum may come from a list file with any value: it wraps as it did in
// 32 bits rather than overflow.
int32_t Wrap(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

// Posted on a change of DPI, to measure again once the dialog manager has
// scaled the fonts.
constexpr UINT kDpiApplied = WM_APP + 1;
// Posted when the window first shows, to maximize it after the dialog
// manager has shown it restored.
constexpr UINT kMaximize = WM_APP + 2;
// The smallest list: 160 x 100 dialog units.
constexpr RECT kMinClient{0, 0, 160, 100};
// The preview pane's width, in dialog units.
constexpr int kPreviewWidth = 160;

}  // namespace

CMainDlg::CMainDlg(AppData& app, HWND parent, std::function<WallpaperChange()> changeNow,
                   std::function<void()> storeSettings)
    : win::Dialog(IDD_VELUNDA_DIALOG, parent),
      app_(app),
      changeNow_(std::move(changeNow)),
      storeSettings_(std::move(storeSettings)) {}

void CMainDlg::DoDataExchange(win::DataExchange& dx) {
    dx.Control(IDC_WALLPAPER_LIST, listBox.hwnd);
}

BOOL CMainDlg::OnInitDialog() {
    win::Dialog::OnInitDialog();
    win::SetMainWindow(hwnd());
    LoadIcons();
    listBox.Measure();
    Layout();
    RestorePlacement();
    FillListBox();
    // Files and folders dropped from the shell are added as Add adds them.
    DragAcceptFiles(hwnd(), TRUE);
    // A stored placement already holds the pane.
    if (app_.Preview == 1) ShowPreview(true, !app_.Placement);
    return TRUE;
}

bool CMainDlg::OnCommand(int id, int code) {
    if (id == IDC_WALLPAPER_LIST) {
        if (code == LBN_SELCHANGE) PreviewSelected();
        if (code == LBN_DBLCLK) OnModifyRating();
        return code == LBN_SELCHANGE || code == LBN_DBLCLK;
    }
    // Menu commands (0) and accelerators (1); anything else is a control's.
    if (code > 1) return false;
    switch (id) {
    case ID_WALLPAPER_CHANGE_NOW: OnChangeNow(); break;
    case ID_WALLPAPER_ADD: OnAdd(); break;
    case ID_WALLPAPER_REMOVE: OnRemove(); break;
    case ID_PREFS_GENERAL: OnGeneralPrefs(); break;
    case ID_FILE_QUIT: PostMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    case ID_FILE_NEW_LIST: OnNewList(); break;
    case ID_LIST_SAVE: OnSaveList(); break;
    case ID_LIST_OPEN: OnOpenList(); break;
    case ID_FILE_SAVE_STARTUP: OnSaveStartupList(); break;
    case ID_ABOUT: OnAbout(); break;
    case ID_PREFS_INTERVAL: OnUpdateInterval(); break;
    case ID_PREFS_DISPLAY: OnDisplayPrefs(); break;
    case ID_WALLPAPER_RATING: OnModifyRating(); break;
    case ID_HELP_README: OnHelp(); break;
    case ID_WALLPAPER_PREVIEW: ShowPreview(!PreviewShown()); break;
    case ID_WALLPAPER_APPLY: OnApply(); break;
    case ID_WALLPAPER_OPEN_FOLDER: OnOpenFolder(); break;
    default: return false;
    }
    return true;
}

bool CMainDlg::OnDrawItem(int id, DRAWITEMSTRUCT& item) {
    if (id != IDC_WALLPAPER_LIST) return false;
    listBox.DrawItem(item);
    return true;
}

int CMainDlg::OnCompareItem(int id, const COMPAREITEMSTRUCT& items) {
    return id == IDC_WALLPAPER_LIST ? listBox.CompareItem(items) : 0;
}

INT_PTR CMainDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    handled = true;
    switch (msg) {
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_PAINT: handled = OnPaint(); return handled;
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(icon_.get());
    // F1 opens the readme, as Aide > Aide does.
    case WM_HELP: OnHelp(); return TRUE;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
    case WM_SIZE:
        Layout();
        handled = false;
        return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lp)); return TRUE;
    // The dialog manager scales the dialog's fonts after this.
    case WM_DPICHANGED:
        OnDpiChanged(*reinterpret_cast<const RECT*>(lp));
        handled = false;
        return 0;
    case kDpiApplied: OnDpiApplied(); return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(wp != FALSE);
        handled = false;
        return 0;
    case kMaximize: ShowWindow(hwnd(), SW_MAXIMIZE); return TRUE;
    // A dialog answers through DWLP_MSGRESULT.
    case WM_QUERYENDSESSION:
        SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, OnQueryEndSession());
        return TRUE;
    case WM_ENDSESSION:
        if (!wp || !storeSettings_) return TRUE;
        KeepPlacement();
        storeSettings_();
        return TRUE;
    case WM_CONTEXTMENU: handled = OnContextMenu(reinterpret_cast<HWND>(wp), lp); return handled;
    // The program's own message boxes are owned by this window while it is up.
    case WM_DESTROY:
        win::SetMainWindow(nullptr);
        handled = false;
        return 0;
    default: handled = false; return 0;
    }
}

void CMainDlg::Layout() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // With the preview on, the pane takes its width at the right.
    const LONG pane = PreviewShown() ? std::min<LONG>(PreviewWidth(), client.right) : 0;
    MoveWindow(listBox.hwnd, 0, 0, client.right - pane, client.bottom, TRUE);
    if (pane) MoveWindow(preview_.hwnd(), client.right - pane, 0, pane, client.bottom, TRUE);
}

void CMainDlg::LoadIcons() {
    const UINT dpi = win::WindowDpi(hwnd());
    const auto load = [dpi](int width, int height) {
        return win::UniqueHIcon(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                       win::MetricForDpi(width, dpi), win::MetricForDpi(height, dpi), 0)));
    };
    // The window gives up the old icons before they are destroyed.
    win::UniqueHIcon big = load(SM_CXICON, SM_CYICON), small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    icon_ = std::move(big);
    smallIcon_ = std::move(small);
}

// At the system's suggested size for the new DPI; the list is measured again
// once the fonts follow.
void CMainDlg::OnDpiChanged(const RECT& suggested) {
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(hwnd(), kDpiApplied, 0, 0);
}

// The icons and the lines at the new DPI, once the fonts are.
void CMainDlg::OnDpiApplied() {
    LoadIcons();
    listBox.Measure();
    Layout();
    InvalidateRect(listBox.hwnd, nullptr, TRUE);
}

// At least 160 x 100 dialog units of list, and wide enough for the menu bar
// on one line; with the frame as it is now around them.
void CMainDlg::OnGetMinMaxInfo(MINMAXINFO& info) {
    if (IsIconic(hwnd())) return;
    RECT min = kMinClient, window{}, client{};
    MapDialogRect(hwnd(), &min);
    if (PreviewShown()) min.right += PreviewWidth();
    const HMENU menu = GetMenu(hwnd());
    LONG menuWidth = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT item{};
        if (GetMenuItemRect(hwnd(), menu, i, &item)) menuWidth += item.right - item.left;
    }
    min.right = std::max(min.right, menuWidth);
    GetWindowRect(hwnd(), &window);
    GetClientRect(hwnd(), &client);
    info.ptMinTrackSize = {min.right + (window.right - window.left) - client.right,
                           min.bottom + (window.bottom - window.top) - client.bottom};
}

// Without a stored placement the window opens as it always did.
void CMainDlg::RestorePlacement() {
    if (app_.Placement) win::SetPlacement(hwnd(), *app_.Placement);
    opened_ = win::GetPlacement(hwnd());
    if (!app_.Placement || !opened_) return;
    opened_->maximized = maximizeWhenShown_ = app_.Placement->maximized;
    // Stored again as it is now on screen.
    app_.Placement = opened_;
}

// Maximized as it was left, once the dialog manager has shown it.
void CMainDlg::OnShowWindow(bool shown) {
    if (!shown || !maximizeWhenShown_) return;
    maximizeWhenShown_ = false;
    PostMessageW(hwnd(), kMaximize, 0, 0);
}

// A setup that never moved the window stores no placement.
void CMainDlg::KeepPlacement() {
    const auto left = win::GetPlacement(hwnd());
    if (left != opened_) app_.Placement = left;
}

void CMainDlg::FillListBox() { listBox.Fill(app_.wallpaperList); }

int CMainDlg::Ask(const std::wstring& text, const std::wstring& caption, UINT style) {
    return win::WindowMessageBox(hwnd(), text, caption, style);
}

CWallpaperEntry* CMainDlg::SelectedEntry(int& index) {
    index = listBox.GetCurSel();
    if (index == LB_ERR) {
        Ask(kNoSelection, kCaption, MB_OK | MB_ICONERROR);
        return nullptr;
    }
    return listBox.GetEntry(index);
}

// A new wallpaper now; the list and what the window shows stay as they are.
void CMainDlg::OnChangeNow() {
    ReportChange(changeNow_ ? changeNow_() : WallpaperChange::NoneAvailable);
}

// The messages of change now, shared by "Mettre en fond d'écran".
void CMainDlg::ReportChange(WallpaperChange change) {
    switch (change) {
    case WallpaperChange::Changed: return;
    case WallpaperChange::NoneAvailable:
        Ask(L"Aucun fond d'écran disponible", kCaption, MB_OK | MB_ICONERROR);
        return;
    case WallpaperChange::Refused:
        Ask(L"Le fond d'écran n'a pas pu être changé", kCaption, MB_OK | MB_ICONERROR);
        return;
    }
}

void CMainDlg::OnAdd() {
    win::FileDialog dialog(
        true, L"", L"", OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT,
        app_.Formats == 1 ? kImageFilter : kBmpFilter, hwnd());
    if (dialog.DoModal() != IDOK) return;
    AddedFiles files;
    CWallpaperList added;
    for (const std::wstring& path : dialog.GetFileNames()) AddFile(path, added, files);
    TakeAdded(added);
    ReportAdded(files);
}

// The pictures among the files and folders dropped; other files are ignored.
void CMainDlg::OnDropFiles(HDROP drop) {
    AddedFiles files;
    CWallpaperList added;
    files.stopped =
        !ForEachFile(TakeDroppedPaths(drop), kDropFileLimit, [&](const std::wstring& path) {
            if (IsPictureName(path, app_.Formats))
                AddFile(path, added, files);
            else if (IsPictureName(path, 1))
                ++files.notApplied;
        });
    TakeAdded(added);
    ReportAdded(files);
}

void CMainDlg::AddFile(const std::wstring& path, CWallpaperList& added, AddedFiles& files) {
    std::string ansi;
    switch (ToListPath(path, ansi)) {
    case ListPath::TooLong: ++files.tooLong; return;
    case ListPath::NotAnsi: ++files.notAnsi; return;
    case ListPath::Ok: break;
    }
    std::string ext = FileExtension(ansi);
    added.AddTail(CWallpaperEntry(std::move(ext), std::move(ansi), 3));
    ++files.added;
}

void CMainDlg::TakeAdded(CWallpaperList& added) {
    if (added.IsEmpty()) return;
    // The entries keep their addresses as they move: the items may point at them first.
    for (CWallpaperEntry& entry : added) {
        listBox.AddItem(&entry);
        app_.ratingSum = Wrap(int64_t{app_.ratingSum} + entry.rating);
    }
    app_.wallpaperList.TakeAll(added);
    app_.listModified = true;
}

void CMainDlg::ReportAdded(const AddedFiles& files) {
    const std::wstring text = AddedFilesMessage(files);
    if (!text.empty()) Ask(text, kCaption, MB_OK | MB_ICONWARNING);
}

void CMainDlg::OnRemove() {
    int index = 0;
    CWallpaperEntry* entry = SelectedEntry(index);
    if (!entry) return;
    app_.ratingSum = Wrap(int64_t{app_.ratingSum} - entry->rating);
    const auto pos = app_.wallpaperList.Find(entry);
    if (pos != app_.wallpaperList.end()) app_.wallpaperList.RemoveAt(pos);
    listBox.DeleteItem(index);
    listBox.SetCurSel(-1);
    PreviewSelected();
    app_.listModified = true;
}

void CMainDlg::OnNewList() {
    // The items go first: they point into the list.
    listBox.ResetContent();
    PreviewSelected();
    app_.wallpaperList.RemoveAll();
    app_.ratingSum = 0;
    app_.listModified = true;
}

void CMainDlg::OnOpenList() {
    win::FileDialog dialog(true, L"", L"",
                           OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                           kListFilter, hwnd());
    if (dialog.DoModal() != IDOK) return;
    OnNewList();
    const bool loaded = LoadList(dialog.GetPathName(), app_.wallpaperList, app_.ratingSum);
    // Also after a failure: the entries read before it stay in the list, and
    // nothing may be saved that the window does not show.
    FillListBox();
    if (!loaded) return;
    app_.listModified = true;
}

void CMainDlg::OnSaveList() {
    win::FileDialog dialog(false, L".vdl", L"Velunda.vdl",
                           OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, kListFilter,
                           hwnd());
    if (dialog.DoModal() != IDOK) return;
    // Another file than the startup list: listModified stays as it is.
    SaveList(dialog.GetPathName(), app_.wallpaperList, app_.ratingSum);
}

void CMainDlg::OnSaveStartupList() {
    if (Ask(L"Voulez-vous sauvegarder les changements de la liste ?", kCaption,
            MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // A failed save leaves the changes unsaved, and the close question due.
    if (SaveList(app_.FilelistPath, app_.wallpaperList, app_.ratingSum)) app_.listModified = false;
}

void CMainDlg::OnModifyRating() {
    int index = 0;
    CWallpaperEntry* entry = SelectedEntry(index);
    if (!entry) return;
    int32_t rating = entry->rating;
    if (!AskRating(entry->path, rating)) return;
    app_.ratingSum = Wrap(int64_t{app_.ratingSum} - entry->rating);
    entry->rating = rating;
    // Every line again, with its new colour and suffix; the item keeps its place.
    RedrawWindow(listBox.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    app_.listModified = true;
    app_.ratingSum = Wrap(int64_t{app_.ratingSum} + rating);
}

bool CMainDlg::AskRating(const std::string& path, int32_t& rating) {
    return RunRatingDialog(EntryPathToWide(path).value_or(std::wstring()), rating, hwnd());
}

// The settings dialogs change the application's fields; the registry is
// written when the window has closed.
void CMainDlg::OnGeneralPrefs() { RunGeneralPrefs(app_, hwnd()); }
void CMainDlg::OnUpdateInterval() { RunUpdateInterval(app_, hwnd(), std::time(nullptr)); }
void CMainDlg::OnDisplayPrefs() { RunDisplayPrefs(app_, hwnd()); }
void CMainDlg::OnAbout() { RunAbout(hwnd()); }

void CMainDlg::OnHelp() {
    const std::wstring exe = win::ModulePath();
    // Quoted: the program's folder may contain blanks.
    const std::wstring parameter = L'"' + exe.substr(0, exe.rfind(L'\\')) + L"\\readme.txt\"";
    ShellExecuteW(hwnd(), L"open", L"notepad.exe", parameter.c_str(), nullptr, SW_SHOWNORMAL);
}

void CMainDlg::OnCancel() { SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

void CMainDlg::OnClose() {
    if (!ConfirmUnsaved()) return;
    // Read while the window still shows.
    KeepPlacement();
    // What the dialog manager makes of WM_CLOSE: the end of the run, with IDCANCEL.
    win::Dialog::OnCancel();
}

bool CMainDlg::ConfirmUnsaved() {
    if (!app_.listModified) return true;
    switch (Ask(L"Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?",
                L"Quitter Velunda", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    // Going on after a failed save would lose the changes.
    case IDYES: return SaveList(app_.FilelistPath, app_.wallpaperList, app_.ratingSum);
    case IDNO: return true;
    default: return false;
    }
}

bool CMainDlg::OnQueryEndSession() {
    if (!app_.listModified) return true;
    ShutdownBlockReasonCreate(hwnd(), L"La liste de fonds d'écran n'est pas enregistrée.");
    const bool end = ConfirmUnsaved();
    ShutdownBlockReasonDestroy(hwnd());
    return end;
}

bool CMainDlg::OnPaint() {
    if (!IsIconic(hwnd())) return false;
    win::PaintDc paint(hwnd());
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    RECT rect{};
    GetClientRect(hwnd(), &rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.dc(), x, y, icon_.get());
    return true;
}

bool CMainDlg::OnContextMenu(HWND from, LPARAM at) {
    if (from != listBox.hwnd) return false;
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {
        // From the keyboard: beneath the selected line.
        const int index = listBox.GetCurSel();
        if (index == LB_ERR) return true;
        RECT line{};
        SendMessageW(listBox.hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&line));
        point = {line.left, line.bottom};
        ClientToScreen(listBox.hwnd, &point);
    } else {
        // With the mouse: the line under the pointer becomes the selection.
        POINT inside = point;
        ScreenToClient(listBox.hwnd, &inside);
        const LRESULT hit =
            SendMessageW(listBox.hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(inside.x, inside.y));
        if (HIWORD(hit)) return true;
        listBox.SetCurSel(LOWORD(hit));
        PreviewSelected();
    }
    const win::UniqueMenu menu(
        LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_LIST_MENU)));
    // The command comes back as WM_COMMAND, as from the window's own menu.
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   hwnd(), nullptr);
    return true;
}

// The selected file as the wallpaper now, as change now puts up its pick.
void CMainDlg::OnApply() {
    int index = 0;
    const CWallpaperEntry* entry = SelectedEntry(index);
    if (!entry) return;
    if (!IsAppliedExtension(entry->ext, app_.Formats)) {
        Ask(IsAppliedExtension(entry->ext, 1)
                ? L"Les images JPEG et PNG ne deviennent le fond d'écran qu'avec « Appliquer "
                  L"aussi les images JPEG et PNG » (Préférences, Affichage...)."
                : L"Ce type de fichier ne peut pas devenir le fond d'écran.",
            kCaption, MB_OK | MB_ICONERROR);
        return;
    }
    if (putUp) ReportChange(putUp(*entry));
}

void CMainDlg::OnOpenFolder() {
    int index = 0;
    const CWallpaperEntry* entry = SelectedEntry(index);
    if (!entry) return;
    if (const auto path = EntryPathToWide(entry->path)) ShowInFolder(*path);
}

void CMainDlg::ShowPreview(bool on, bool resize) {
    if (on && !preview_.hwnd()) preview_.Create(hwnd(), IDC_PREVIEW_PANE);
    if (!preview_.hwnd()) return;
    const bool was = PreviewShown();
    app_.Preview = on ? 1 : 0;
    CheckMenuItem(GetMenu(hwnd()), ID_WALLPAPER_PREVIEW, on ? MF_CHECKED : MF_UNCHECKED);
    ShowWindow(preview_.hwnd(), on ? SW_SHOWNA : SW_HIDE);
    if (resize && on != was && !IsZoomed(hwnd())) {
        // The list keeps its width: the window grows or shrinks by the pane.
        RECT window{};
        GetWindowRect(hwnd(), &window);
        SetWindowPos(hwnd(), nullptr, 0, 0,
                     window.right - window.left + (on ? PreviewWidth() : -PreviewWidth()),
                     window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Layout();
    PreviewSelected();
}

// Shown in its own right: the window itself may not be yet.
bool CMainDlg::PreviewShown() const {
    return preview_.hwnd() && (GetWindowLongW(preview_.hwnd(), GWL_STYLE) & WS_VISIBLE);
}

int CMainDlg::PreviewWidth() const {
    RECT width{0, 0, kPreviewWidth, 0};
    MapDialogRect(hwnd(), &width);
    return width.right;
}

void CMainDlg::PreviewSelected() {
    if (app_.Preview != 1 || !preview_.hwnd()) return;
    const int index = listBox.GetCurSel();
    const CWallpaperEntry* entry = index == LB_ERR ? nullptr : listBox.GetEntry(index);
    // Bytes that the code page does not hold name no file: nothing to show.
    preview_.Show(entry ? EntryPathToWide(entry->path).value_or(L"") : std::wstring());
}
