#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

// Answers the real message boxes and common file dialogs that the test
// thread opens. A thread timer fires inside every modal loop of the thread,
// so the driver sees each new dialog while the code under test waits on it.
class WindowDriver {
public:
    struct Seen {
        bool fileDialog = false;
        std::string caption;
        std::string text;      // a message box's text
        bool yes = false, no = false, cancel = false, ok = false;  // its buttons
        std::string fileName;  // a file dialog's name field when it opened
        std::string filter;    // the file type it showed
        bool readOnlyBox = false;  // the read-only check box is shown
    };

    WindowDriver();
    ~WindowDriver();
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // The next message box gets this button.
    void AnswerBox(int button);
    // The next file dialog gets this file name typed in, then OK.
    void AnswerFile(const std::string& path);
    void CancelFile();

    // Windows the driver must leave alone (the main window).
    std::set<HWND> ignored;
    std::vector<Seen> seen;
    // Dialogs that came with no answer left for them (answered with Cancel).
    int unexpected = 0;
    bool AllAnswered() const { return answers_.empty(); }

private:
    struct Answer {
        bool fileDialog;
        int button;
        std::string path;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Handle(HWND dialog);

    std::deque<Answer> answers_;
    std::set<HWND> answered_;
    UINT_PTR timer_;
    bool busy_ = false;
};

// Processes what is queued for the thread, as the dialog's own loop would.
void Pump(HWND dialog);

// Runs `dialog` modally; `body` runs inside its modal loop once it is shown,
// and should end the run. A run that is still open 10 s after the body has
// returned is ended with -2. Returns DoModal's result.
template <class Dlg>
INT_PTR RunModal(Dlg& dialog, WindowDriver& driver, const std::function<void(HWND)>& body);

INT_PTR RunModalImpl(const std::function<INT_PTR()>& doModal, const std::function<HWND()>& window,
                     WindowDriver& driver, const std::function<void(HWND)>& body);

template <class Dlg>
INT_PTR RunModal(Dlg& dialog, WindowDriver& driver, const std::function<void(HWND)>& body) {
    return RunModalImpl([&] { return dialog.DoModal(); }, [&] { return dialog.hwnd(); }, driver,
                        body);
}
