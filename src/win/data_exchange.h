#pragma once

#include <windows.h>

#include <string>

#include "win/int_in_range.h"

namespace win {

// Moves values between a dialog's controls and its members, in one direction:
// showing (member to control) or saving (control to member, with checks).
// After a refused value the exchange stops: every later call does nothing.
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    bool saving() const { return saving_; }
    bool failed() const { return failed_; }

    // Binds a control: the member receives the control's window handle.
    void Control(int id, HWND& control);
    void Text(int id, std::wstring& value);
    // A whole number from min to max. A bad value shows the standard message,
    // focuses the control with its text selected, and fails the exchange.
    void Int(int id, int& value, int min, int max);
    // A check box: 0 clear, 1 ticked.
    void Check(int id, int& value);
    // A trackbar's position.
    void Slider(int id, int& value);
    // A drop-down list's selected item, 0-based; -1 for none.
    void ListIndex(int id, int& index);

private:
    void Refuse(int id, const std::wstring& message);

    HWND dialog_;
    bool saving_;
    bool failed_ = false;
};

}  // namespace win
