#include "dialog_driver.h"

#include <chrono>
#include <stdexcept>

namespace {

constexpr auto kPatience = std::chrono::seconds(20);

struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK FindIn(HWND window, LPARAM lp) {
    auto& search = *reinterpret_cast<Search*>(lp);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(window) && (*search.match)(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver(Script script) : thread_(GetCurrentThreadId()) {
    worker_ = std::thread([this, script = std::move(script)] {
        try {
            script(*this);
        } catch (const std::exception& e) {
            failures.push_back(e.what());
        }
        // Whatever the script left open is cancelled, until the test thread is back.
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!finished_) {
            if (std::chrono::steady_clock::now() > deadline) CancelEverything();
            Sleep(20);
        }
    });
}

DialogDriver::~DialogDriver() { Finish(); }

void DialogDriver::Finish() {
    finished_ = true;
    if (worker_.joinable()) worker_.join();
}

void DialogDriver::CancelEverything() {
    EnumThreadWindows(
        thread_,
        [](HWND window, LPARAM) -> BOOL {
            char cls[32] = {};
            GetClassNameA(window, cls, sizeof cls);
            if (std::string(cls) == "#32770") PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        },
        0);
}

HWND DialogDriver::Wait(const std::function<bool(HWND)>& match, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        Search search{&match, nullptr};
        EnumThreadWindows(thread_, FindIn, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    }
    throw std::runtime_error("no window appeared: " + what);
}

HWND DialogDriver::WaitForDialog(const std::string& caption) {
    return Wait([&](HWND w) { return Caption(w) == caption; }, "dialog \"" + caption + "\"");
}

HWND DialogDriver::WaitForOwned(HWND owner) {
    return Wait([&](HWND w) { return GetWindow(w, GW_OWNER) == owner; }, "a box over a dialog");
}

void DialogDriver::WaitGone(HWND window) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("a window stayed open");
        Sleep(20);
    }
}

void DialogDriver::Sync(HWND dialog) { SendMessageA(dialog, WM_NULL, 0, 0); }

void DialogDriver::Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void DialogDriver::Press(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void DialogDriver::SetText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::string DialogDriver::Text(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string DialogDriver::Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool DialogDriver::Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }

bool DialogDriver::Checked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

LONG DialogDriver::Style(HWND dialog, int id) {
    return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE);
}

HWND DialogDriver::Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
}

std::string DialogDriver::AnswerMessageBox(HWND owner) {
    HWND box = WaitForOwned(owner);
    const std::string text = Text(box, 0xFFFF);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitGone(box);
    Sync(owner);
    return text;
}

void DialogDriver::Expect(bool condition, const std::string& what) {
    if (!condition) failures.push_back(what);
}
