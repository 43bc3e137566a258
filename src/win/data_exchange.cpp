#include "win/data_exchange.h"

#include <commctrl.h>

#include "win/message_box.h"

namespace win {

void DataExchange::Control(int id, HWND& control) {
    if (failed_) return;
    control = GetDlgItem(dialog_, id);
}

void DataExchange::Text(int id, std::wstring& value) {
    if (failed_) return;
    HWND item = GetDlgItem(dialog_, id);
    if (!saving_) {
        SetWindowTextW(item, value.c_str());
        return;
    }
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    value = std::move(text);
}

void DataExchange::Int(int id, int& value, int min, int max) {
    if (failed_) return;
    if (!saving_) {
        SetDlgItemTextW(dialog_, id, std::to_wstring(value).c_str());
        return;
    }
    std::wstring text;
    Text(id, text);
    int parsed = 0;
    switch (ParseIntInRange(text, min, max, parsed)) {
    case IntParse::ok: value = parsed; return;
    case IntParse::notANumber: Refuse(id, L"Veuillez entrer un nombre entier."); return;
    case IntParse::outOfRange:
        Refuse(id, L"Veuillez entrer un nombre entier compris entre " + std::to_wstring(min) +
                       L" et " + std::to_wstring(max) + L".");
        return;
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
        value = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    } else {
        SendMessageW(slider, TBM_SETPOS, TRUE, value);
    }
}

void DataExchange::ListIndex(int id, int& index) {
    if (failed_) return;
    if (saving_) {
        index = static_cast<int>(SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0));
    } else {
        SendDlgItemMessageW(dialog_, id, CB_SETCURSEL, index, 0);
    }
}

void DataExchange::Refuse(int id, const std::wstring& message) {
    failed_ = true;
    AppMessageBox(message, MB_ICONEXCLAMATION);
    HWND item = GetDlgItem(dialog_, id);
    SetFocus(item);
    SendMessageW(item, EM_SETSEL, 0, -1);
}

}  // namespace win
