#include "ui/main_dlg.h"

#include <shellapi.h>

#include <ctime>

#include "list/entry_path_win.h"
#include "list/list_io_win.h"
#include "res/resource.h"
#include "ui/added_files.h"
#include "ui/app_data.h"
#include "ui/dialog_commands.h"
#include "ui/shell_files.h"
#include "win/file_dialog.h"
#include "win/handles.h"
#include "win/message_box.h"
#include "win/module_path.h"

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

}  // namespace

CMainDlg::CMainDlg(AppData& app, HWND parent, std::function<bool()> changeNow)
    : win::Dialog(IDD_VELUNDA_DIALOG, parent),
      app_(app),
      changeNow_(std::move(changeNow)),
      // Shared icons of the module: the system frees them.
      icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      smallIcon_(static_cast<HICON>(
          LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED))) {}

void CMainDlg::DoDataExchange(win::DataExchange& dx) {
    dx.Control(IDC_WALLPAPER_LIST, listBox.hwnd);
}

BOOL CMainDlg::OnInitDialog() {
    win::Dialog::OnInitDialog();
    win::SetMainWindow(hwnd());
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
    FillListBox();
    // Files and folders dropped from the shell are added as Add adds them.
    DragAcceptFiles(hwnd(), TRUE);
    return TRUE;
}

bool CMainDlg::OnCommand(int id, int code) {
    if (id == IDC_WALLPAPER_LIST) {
        if (code != LBN_DBLCLK) return false;
        OnModifyRating();
        return true;
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

INT_PTR CMainDlg::OnMessage(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    handled = true;
    switch (msg) {
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_PAINT: handled = OnPaint(); return handled;
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(icon_);
    // F1 opens the readme, as Aide > Aide does.
    case WM_HELP: OnHelp(); return TRUE;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
    // The program's own message boxes are owned by this window while it is up.
    case WM_DESTROY:
        win::SetMainWindow(nullptr);
        handled = false;
        return 0;
    default: handled = false; return 0;
    }
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

// A new wallpaper now, as a logon run would draw it; the list and what the
// window shows stay as they are.
void CMainDlg::OnChangeNow() {
    if (changeNow_ && changeNow_()) return;
    Ask(L"Aucun fond d'écran disponible", kCaption, MB_OK | MB_ICONERROR);
}

void CMainDlg::OnAdd() {
    win::FileDialog dialog(
        true, L"", L"", OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT,
        app_.Formats == 1 ? kImageFilter : kBmpFilter, hwnd());
    if (dialog.DoModal() != IDOK) return;
    AddedFiles files;
    for (const std::wstring& path : dialog.GetFileNames()) AddFile(path, files);
    ReportAdded(files);
}

// The pictures among the files and folders dropped; other files are ignored.
void CMainDlg::OnDropFiles(HDROP drop) {
    AddedFiles files;
    files.stopped =
        !ForEachFile(TakeDroppedPaths(drop), kDropFileLimit, [&](const std::wstring& path) {
            if (IsPictureName(path, app_.Formats)) AddFile(path, files);
        });
    ReportAdded(files);
}

void CMainDlg::AddFile(const std::wstring& path, AddedFiles& files) {
    std::string ansi;
    switch (ToListPath(path, ansi)) {
    case ListPath::TooLong: ++files.tooLong; return;
    case ListPath::NotAnsi: ++files.notAnsi; return;
    case ListPath::Ok: break;
    }
    std::string ext = FileExtension(ansi);
    CWallpaperEntry& added =
        *app_.wallpaperList.AddTail(CWallpaperEntry(std::move(ext), std::move(ansi), 3));
    listBox.AddItem(&added);
    app_.listModified = true;
    app_.ratingSum = Wrap(int64_t{app_.ratingSum} + added.rating);
    ++files.added;
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
    app_.listModified = true;
}

void CMainDlg::OnNewList() {
    // The items go first: they point into the list.
    listBox.ResetContent();
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
    if (app_.listModified) {
        switch (Ask(L"Changements non sauvegardés.\nVoulez-vous sauver avant de quitter ?",
                    L"Quitter Velunda", MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            // Ending after a failed save would lose the changes: stay open.
            if (!SaveList(app_.FilelistPath, app_.wallpaperList, app_.ratingSum)) return;
            break;
        case IDNO: break;
        default: return;
        }
    }
    // What the dialog manager makes of WM_CLOSE: the end of the run, with IDCANCEL.
    win::Dialog::OnCancel();
}

bool CMainDlg::OnPaint() {
    if (!IsIconic(hwnd())) return false;
    win::PaintDc paint(hwnd());
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    RECT rect{};
    GetClientRect(hwnd(), &rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.dc(), x, y, icon_);
    return true;
}
