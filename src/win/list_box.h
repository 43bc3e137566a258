#pragma once

#include <windows.h>

namespace win {

// A list box control of a dialog, bound by the data exchange. Thin wrappers
// of the LB_ messages, for a list box that keeps only item data.
class ListBox {
public:
    HWND hwnd = nullptr;

    int AddItem(const void* data) { return Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data)); }
    // At the end, even in a sorted list box.
    int AppendItem(const void* data) {
        return Send(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(data));
    }
    void* GetItemData(int index) const {
        return reinterpret_cast<void*>(SendMessageW(hwnd, LB_GETITEMDATA, index, 0));
    }
    int GetCount() const { return Send(LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return Send(LB_GETCURSEL, 0, 0); }
    void SetCurSel(int index) { Send(LB_SETCURSEL, index, 0); }
    void DeleteItem(int index) { Send(LB_DELETESTRING, index, 0); }
    void ResetContent() { Send(LB_RESETCONTENT, 0, 0); }
    // Room for `count` more items at once, rather than a little at a time.
    void Reserve(int count) { Send(LB_INITSTORAGE, count, 0); }

private:
    int Send(UINT msg, WPARAM wp, LPARAM lp) const {
        return static_cast<int>(SendMessageW(hwnd, msg, wp, lp));
    }
};

// Turns a window's drawing off for its lifetime, then draws the window once:
// a list box being filled would otherwise redraw and rescale its scroll bar
// for every item.
class NoRedraw {
public:
    explicit NoRedraw(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;
    ~NoRedraw() {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

private:
    HWND hwnd_;
};

}  // namespace win
