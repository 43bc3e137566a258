#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Drives the modal dialogs of the test's thread from a second thread, the way
// a user would: it finds the windows, reads and sets controls, and clicks.
// The test thread runs the dialog meanwhile. GoogleTest is not thread-safe
// here, so the script records its findings and the test checks them after
// Finish().
class DialogDriver {
public:
    using Script = std::function<void(DialogDriver&)>;

    // Starts `script` on a second thread; the calling thread is the one to drive.
    explicit DialogDriver(Script script);
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver();

    // Waits for the script to end. A script that stopped early, or left a
    // dialog open, gets every dialog cancelled, so the test never hangs.
    void Finish();

    // A visible dialog (#32770) of the driven thread with this caption.
    HWND WaitForDialog(const std::string& caption);
    // A visible dialog owned by `owner` (a message box, a file dialog).
    HWND WaitForOwned(HWND owner);
    void WaitGone(HWND window);
    // Returns once the driven thread is back in a message loop.
    void Sync(HWND dialog);

    // Clicks and returns once the click has been handled.
    void Click(HWND dialog, int id);
    // Clicks without waiting: for a click that opens a modal window.
    void Press(HWND dialog, int id);
    void SetText(HWND dialog, int id, const std::string& text);
    std::string Text(HWND dialog, int id);
    std::string Caption(HWND window);
    bool Enabled(HWND dialog, int id);
    bool Checked(HWND dialog, int id);
    LONG Style(HWND dialog, int id);
    // The driven thread's keyboard focus.
    HWND Focus();
    // Answers the message box owned by `owner` with OK; returns its text.
    std::string AnswerMessageBox(HWND owner);

    // Records a finding for the test to report.
    void Expect(bool condition, const std::string& what);

    std::vector<std::string> failures;

private:
    HWND Wait(const std::function<bool(HWND)>& match, const std::string& what);
    void CancelEverything();

    DWORD thread_;
    std::atomic<bool> finished_{false};
    std::thread worker_;
};
