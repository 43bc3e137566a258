#include "win/dialog.h"

#include "win/message_box.h"

namespace win {
namespace {

void ReportFailure() {
    // One box at a time: a failure while one is up (a repaint) is not told again.
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    try {
        AppMessageBox(L"La commande n'a pas pu aboutir : mémoire ou ressources insuffisantes.",
                      MB_ICONERROR);
    } catch (...) {}
    reporting = false;
}

}  // namespace

Dialog::Dialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

INT_PTR Dialog::DoModal() {
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_,
                        &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result;
}

void Dialog::EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

bool Dialog::UpdateData(bool saving) {
    DataExchange dx(hwnd_, saving);
    DoDataExchange(dx);
    return !dx.failed();
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lp);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    try {
        return self->Dispatch(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind through the system's code. A dialog that could
        // not be set up is given up; a failed command keeps the window as
        // the command left it, and says so.
        if (msg == WM_INITDIALOG)
            ::EndDialog(hwnd, -1);
        else
            ReportFailure();
        return TRUE;
    }
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        const int code = HIWORD(wp);
        if (OnCommand(id, code)) return TRUE;
        if (id == IDOK && code == 0) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && code == 0) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_DRAWITEM:
        return OnDrawItem(static_cast<int>(wp), *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
    case WM_COMPAREITEM:
        // Returned as it is, like the answers to WM_INITDIALOG, WM_CTLCOLOR*
        // and WM_QUERYDRAGICON; DWLP_MSGRESULT is not read for it. (Setting
        // it anyway costs a call to the Wine server for every comparison.)
        return OnCompareItem(static_cast<int>(wp), *reinterpret_cast<const COMPAREITEMSTRUCT*>(lp));
    default: {
        bool handled = false;
        const INT_PTR result = OnMessage(msg, wp, lp, handled);
        return handled ? result : FALSE;
    }
    }
}

}  // namespace win
