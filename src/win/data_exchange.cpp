#include "win/data_exchange.h"

#include <commctrl.h>

#include <cstdio>

#include "win/message_box.h"

namespace win {

void DataExchange::Control(int id, HWND& control) {
    if (failed_) return;
    control = GetDlgItem(dialog_, id);
}

void DataExchange::Text(int id, std::string& value) {
    if (failed_) return;
    HWND item = GetDlgItem(dialog_, id);
    if (!saving_) {
        SetWindowTextA(item, value.c_str());
        return;
    }
    const int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    value = std::move(text);
}

void DataExchange::Int(int id, int& value, int min, int max) {
    if (failed_) return;
    if (!saving_) {
        SetDlgItemTextA(dialog_, id, std::to_string(value).c_str());
        return;
    }
    std::string text;
    Text(id, text);
    int parsed = 0;
    switch (ParseIntInRange(text, min, max, parsed)) {
    case IntParse::ok: value = parsed; return;
    case IntParse::notANumber: Refuse(id, "Veuillez entrer un nombre entier."); return;
    case IntParse::outOfRange: {
        char message[128];
        std::snprintf(message, sizeof message,
                      "Veuillez entrer un nombre entier compris entre %d et %d.", min, max);
        Refuse(id, message);
        return;
    }
    }
}

void DataExchange::Check(int id, int& value) {
    if (failed_) return;
    if (saving_) {
        value = IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0;
    } else {
        CheckDlgButton(dialog_, id, value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DataExchange::Slider(int id, int& value) {
    if (failed_) return;
    HWND slider = GetDlgItem(dialog_, id);
    if (saving_) {
        value = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
    } else {
        SendMessageA(slider, TBM_SETPOS, TRUE, value);
    }
}

void DataExchange::ListIndex(int id, int& index) {
    if (failed_) return;
    if (saving_) {
        index = static_cast<int>(SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0));
    } else {
        SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, index, 0);
    }
}

void DataExchange::Refuse(int id, const std::string& message) {
    failed_ = true;
    AppMessageBox(message, MB_ICONEXCLAMATION);
    HWND item = GetDlgItem(dialog_, id);
    SetFocus(item);
    SendMessageA(item, EM_SETSEL, 0, -1);
}

}  // namespace win
