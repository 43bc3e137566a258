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
    return DialogDriver::Text(w) + "|" + DialogDriver::Text(w, kBoxText) + "|" + buttons;
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
            } else if (std::chrono::steady_clock::now() > deadline) {
                Find([](HWND w) { return !PostMessageA(w, WM_COMMAND, IDCANCEL, 0); });
            }
            Sleep(20);
        }
    });
}

HWND DialogDriver::Find(const std::function<bool(HWND)>& match) {
    std::vector<HWND> all;
    EnumThreadWindows(thread_, [](HWND w, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all)
        if (IsDialog(w) && IsWindowVisible(w) && match(w)) return w;
    return nullptr;
}

// Once the test thread is done, nothing more will come.
void DialogDriver::Until(const std::function<bool()>& done, const std::string& what) {
    for (auto deadline = std::chrono::steady_clock::now() + kPatience; !done(); Sleep(20))
        if (finished_ || std::chrono::steady_clock::now() > deadline) throw std::runtime_error(what);
}

HWND DialogDriver::Wait(const std::function<bool(HWND)>& match, const std::string& what) {
    HWND w = nullptr;
    Until([&] { return (w = Find(match)) != nullptr; }, "never appeared: " + what);
    return w;
}

void DialogDriver::Answer(int button, const std::string& path) {
    const HWND w = Wait(IsBoxOrFile, "a message box or file dialog");
    Sync(w);
    seen.push_back(Describe(w));
    if (GetDlgItem(w, kFileName) && button == IDOK) SetDlgItemTextA(w, kFileName, path.c_str());
    PostMessageA(w, WM_COMMAND, button, 0);
    WaitGone(w);
}

std::string DialogDriver::Text(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));  // GetWindowText misses other processes' edits
    return text;
}

HWND DialogDriver::Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread_, &info);
    return info.hwndFocus;
}
