#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Drives the dialogs of one thread (this process's or another's) from a second
// thread, as a user would. GoogleTest is not thread-safe here: the script
// records failures and what it saw; the test reads them after Finish().
class DialogDriver {
public:
    using Script = std::function<void(DialogDriver&)>;
    explicit DialogDriver(Script script, DWORD thread = GetCurrentThreadId());
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver() { Finish(); }
    // Joins the script; whatever it left open is cancelled so the test never hangs.
    void Finish() {
        finished_ = true;
        if (worker_.joinable()) worker_.join();
    }

    HWND WaitForDialog(const std::string& caption) {
        return Wait([&](HWND w) { return Text(w) == caption; }, caption);
    }
    // Answers the next message box or file dialog (typing `path` on OK), once
    // it is gone; records it in `seen` as "caption|text|buttons (OYNC)" or
    // "file|filter|name[|ro]".
    void Answer(int button, const std::string& path = "");
    void WaitGone(HWND w) { Until([&] { return !IsWindowVisible(w); }, "stayed open: " + Text(w)); }
    // Returns once the driven thread is back in a message loop.
    void Sync(HWND dialog) { SendMessageA(dialog, WM_NULL, 0, 0); }
    void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    // A click that opens a modal window: not waited for.
    void Press(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    static std::string Text(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
    static std::string Text(HWND window);
    bool Checked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }
    HWND Focus();
    void Expect(bool condition, const std::string& what) {
        if (!condition) failures.push_back(what);
    }

    std::vector<std::string> failures, seen;

private:
    HWND Find(const std::function<bool(HWND)>& match);
    void Until(const std::function<bool()>& done, const std::string& what);
    HWND Wait(const std::function<bool(HWND)>& match, const std::string& what);
    DWORD thread_;
    std::atomic<bool> finished_{false};
    std::thread worker_;
};
