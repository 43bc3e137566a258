#pragma once

#include <windows.h>

#include "win/data_exchange.h"

namespace win {

// A modal dialog run from a resource template. The dialog procedure keeps
// `this` from WM_INITDIALOG on and dispatches to the virtual members below.
// No exception leaves the dialog procedure: a command that throws is
// reported in one message, and the dialog stays.
class Dialog {
public:
    explicit Dialog(int templateId, HWND parent = nullptr);
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    // Runs the dialog; returns IDOK or IDCANCEL (or -1 when it cannot be created).
    INT_PTR DoModal();
    HWND hwnd() const { return hwnd_; }

protected:
    // Moves members to controls; returns TRUE to let the dialog manager
    // focus the first control. Overrides call it first.
    virtual BOOL OnInitDialog();
    // Moves controls to members with checks; ends with IDOK only when every
    // value was accepted.
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // One exchange per dialog, in both directions.
    virtual void DoDataExchange(DataExchange& /*dx*/) {}
    // WM_COMMAND other than IDOK/IDCANCEL; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    virtual bool OnDrawItem(int /*id*/, DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual int OnCompareItem(int /*id*/, const COMPAREITEMSTRUCT& /*items*/) { return 0; }
    // Every other message; set `handled` and return the result to keep it.
    // Leaving `handled` false gives the dialog manager's default processing.
    // The result is the dialog procedure's own: the answer itself for the
    // messages answered that way (WM_CTLCOLOR*, WM_QUERYDRAGICON...), TRUE
    // for the others; nothing here sets DWLP_MSGRESULT.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, bool& handled) {
        handled = false;
        return 0;
    }

    void EndDialog(INT_PTR result);
    // Runs the exchange: saving (true) or showing (false). False when a
    // value was refused.
    bool UpdateData(bool saving);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    int templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
};

}  // namespace win
