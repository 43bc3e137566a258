#include "dialog_driver.h"

#include <chrono>
#include <stdexcept>


namespace {

constexpr auto kPatience = std::chrono::seconds(20);
constexpr int kBoxText = 0xFFFF, kFileName = 0x47C, kFileType = 0x470, kReadOnly = 0x410;

bool IsDialog(HWND w) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    return std::string(cls) == "#32770";
}

std::string Caption(HWND w) {
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// The enabled one is the box waiting for an answer: its owner is disabled.
bool IsBoxOrFile(HWND w) { return IsWindowEnabled(w) && (GetDlgItem(w, kBoxText) || GetDlgItem(w, kFileName)); }

std::string Describe(HWND w) {
    if (GetDlgItem(w, kFileName)) {
        const HWND ro = GetDlgItem(w, kReadOnly);
        return "file|" + DialogDriver::Text(w, kFileType) + "|" + DialogDriver::Text(w, kFileName) +
               (ro && IsWindowVisible(ro) ? "|ro" : "");
    }
    std::string buttons;
    for (auto [id, c] : {std::pair{IDOK, 'O'}, {IDYES, 'Y'}, {IDNO, 'N'}, {IDCANCEL, 'C'}})
        if (GetDlgItem(w, id)) buttons += c;
    return Caption(w) + "|" + DialogDriver::Text(w, kBoxText) + "|" + buttons;
}

}  // namespace

DialogDriver::DialogDriver(Script script, DWORD thread) : thread_(thread) {
    worker_ = std::thread([this, script = std::move(script)] {
        try {
            script(*this);
        } catch (const std::exception& e) {
            failures.push_back(e.what());
        }
        // Any box from now on was not expected; past the deadline everything is cancelled.
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!finished_) {
            if (const HWND w = Find(IsBoxOrFile)) {
                failures.push_back("unexpected: " + Describe(w));
                PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                Sleep(200);
            } else if (std::chrono::steady_clock::now() > deadline)
                EnumThreadWindows(thread_, [](HWND w, LPARAM) -> BOOL {
                    if (IsDialog(w)) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                    return TRUE;
                }, 0);
            Sleep(20);
        }
    });
}

void DialogDriver::Finish() {
    finished_ = true;
    if (worker_.joinable()) worker_.join();
}

HWND DialogDriver::Find(const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } s{&match, nullptr};
    EnumThreadWindows(thread_, [](HWND w, LPARAM lp) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lp);
        if (!IsDialog(w) || !IsWindowVisible(w) || !(*s.match)(w)) return TRUE;
        s.found = w;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND DialogDriver::Wait(const std::function<bool(HWND)>& match, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    // Once the test thread is done, nothing more will come.
    while (!finished_ && std::chrono::steady_clock::now() < deadline) {
        if (const HWND w = Find(match)) return w;
        Sleep(20);
    }
    throw std::runtime_error("never appeared: " + what);
}

HWND DialogDriver::WaitForDialog(const std::string& caption) {
    return Wait([&](HWND w) { return Caption(w) == caption; }, caption);
}

void DialogDriver::Answer(int button, const std::string& path) {
    const HWND w = Wait(IsBoxOrFile, "a message box or file dialog");
    Sync(w);
    seen.push_back(Describe(w));
    if (GetDlgItem(w, kFileName) && button == IDOK) SetDlgItemTextA(w, kFileName, path.c_str());
    PostMessageA(w, WM_COMMAND, button, 0);
    WaitGone(w);
}

void DialogDriver::WaitGone(HWND window) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("stayed open: " + Caption(window));
        Sleep(20);
    }
}

std::string DialogDriver::Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

HWND DialogDriver::Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
}
