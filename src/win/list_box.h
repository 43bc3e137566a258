#pragma once

#include <windows.h>

namespace win {

// A list box control of a dialog, bound by the data exchange. Thin wrappers
// of the LB_ messages, for a list box that keeps only item data.
class ListBox {
public:
    HWND hwnd = nullptr;

    int AddItem(const void* data) {
        return Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data));
    }
    void* GetItemData(int index) const {
        return reinterpret_cast<void*>(SendMessageA(hwnd, LB_GETITEMDATA, index, 0));
    }
    int GetCount() const { return Send(LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return Send(LB_GETCURSEL, 0, 0); }
    void SetCurSel(int index) { Send(LB_SETCURSEL, index, 0); }
    void DeleteItem(int index) { Send(LB_DELETESTRING, index, 0); }
    void ResetContent() { Send(LB_RESETCONTENT, 0, 0); }

private:
    int Send(UINT msg, WPARAM wp, LPARAM lp) const {
        return static_cast<int>(SendMessageA(hwnd, msg, wp, lp));
    }
};

}  // namespace win
