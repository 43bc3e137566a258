#include "window_driver.h"

#include <gtest/gtest.h>

namespace {

WindowDriver* active = nullptr;

// Control ids of the system's dialogs.
constexpr int kMessageBoxText = 0xFFFF;
constexpr int kFileName = 0x47C;     // cmb13
constexpr int kFileType = 0x470;     // cmb1
constexpr int kReadOnlyBox = 0x410;  // chx1

std::string ItemText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool IsDialogClass(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return std::string(name) == "#32770";
}

}  // namespace

WindowDriver::WindowDriver() {
    active = this;
    timer_ = SetTimer(nullptr, 0, 20, &WindowDriver::Tick);
}

WindowDriver::~WindowDriver() {
    KillTimer(nullptr, timer_);
    active = nullptr;
}

void WindowDriver::AnswerBox(int button) { answers_.push_back({false, button, {}}); }
void WindowDriver::AnswerFile(const std::string& path) { answers_.push_back({true, IDOK, path}); }
void WindowDriver::CancelFile() { answers_.push_back({true, IDCANCEL, {}}); }

void CALLBACK WindowDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    WindowDriver* self = active;
    if (!self || self->busy_) return;
    self->busy_ = true;
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    for (auto it = self->answered_.begin(); it != self->answered_.end();)
        it = IsWindow(*it) ? std::next(it) : self->answered_.erase(it);
    for (HWND hwnd : windows) {
        // The dialog waiting for an answer is the enabled one: its owner is disabled.
        if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || !IsDialogClass(hwnd)) continue;
        if (self->ignored.count(hwnd) || self->answered_.count(hwnd)) continue;
        self->Handle(hwnd);
    }
    self->busy_ = false;
}

void WindowDriver::Handle(HWND dialog) {
    Seen s;
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    s.caption = caption;
    s.fileDialog = GetDlgItem(dialog, kFileName) != nullptr;
    if (s.fileDialog) {
        s.fileName = ItemText(dialog, kFileName);
        s.filter = ItemText(dialog, kFileType);
        const HWND readOnly = GetDlgItem(dialog, kReadOnlyBox);
        s.readOnlyBox = readOnly && IsWindowVisible(readOnly);
    } else if (GetDlgItem(dialog, kMessageBoxText)) {
        s.text = ItemText(dialog, kMessageBoxText);
        s.yes = GetDlgItem(dialog, IDYES) != nullptr;
        s.no = GetDlgItem(dialog, IDNO) != nullptr;
        s.cancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
        s.ok = GetDlgItem(dialog, IDOK) != nullptr;
    } else {
        return;  // some other dialog: not ours to answer
    }
    seen.push_back(s);
    answered_.insert(dialog);

    if (answers_.empty() || answers_.front().fileDialog != s.fileDialog) {
        ++unexpected;
        ADD_FAILURE() << "no answer for the " << (s.fileDialog ? "file dialog" : "message box")
                      << " \"" << s.caption << "\": " << s.text;
        PostMessageA(dialog, WM_COMMAND, s.ok && !s.cancel ? IDOK : IDCANCEL, 0);
        return;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (s.fileDialog && answer.button == IDOK) SetDlgItemTextA(dialog, kFileName, answer.path.c_str());
    PostMessageA(dialog, WM_COMMAND, answer.button, 0);
}

void Pump(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

struct Run {
    std::function<HWND()> window;
    WindowDriver* driver;
    const std::function<void(HWND)>* body;
    UINT_PTR start = 0;
    UINT_PTR watchdog = 0;
    HWND hwnd = nullptr;
};
Run* run = nullptr;

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, run->watchdog);
    run->watchdog = 0;
    ADD_FAILURE() << "the window was still open after the test";
    EndDialog(run->hwnd, -2);
}

void CALLBACK Start(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, run->start);
    run->hwnd = run->window();
    run->driver->ignored.insert(run->hwnd);
    (*run->body)(run->hwnd);
    run->watchdog = SetTimer(nullptr, 0, 10000, &Watchdog);
}

}  // namespace

INT_PTR RunModalImpl(const std::function<INT_PTR()>& doModal, const std::function<HWND()>& window,
                     WindowDriver& driver, const std::function<void(HWND)>& body) {
    Run r{window, &driver, &body};
    run = &r;
    r.start = SetTimer(nullptr, 0, 10, &Start);
    const INT_PTR result = doModal();
    if (r.watchdog) KillTimer(nullptr, r.watchdog);
    driver.ignored.erase(r.hwnd);
    run = nullptr;
    return result;
}
