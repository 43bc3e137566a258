#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// A message box's caption and text, or a file dialog's file type and the name it offered.
using Seen = std::pair<std::wstring, std::wstring>;

// Drives the dialogs of the thread that makes it from a second thread, as a user would: runs
// the script, then answers each new box with `rest`. `seen` holds every box answered, and what
// the script waited for in vain. A thread still driven after a minute is told to quit.
class DialogDriver {
public:
    using Script = std::function<void(DialogDriver&)>;
    explicit DialogDriver(Script script, int rest = IDCANCEL)
        : worker_(&DialogDriver::Work, this, std::move(script), rest) {}
    ~DialogDriver() { Finish(); }
    void Finish() {
        finished_ = true;
        if (worker_.joinable()) worker_.join();
    }

    // The enabled dialog with this caption; "": the next box or file dialog.
    HWND Wait(const std::wstring& caption) {
        HWND w = nullptr;
        Until([&] { return (w = Find(caption)) != nullptr; }, L"never shown: " + caption);
        Sync(w);
        return w;
    }
    // Answers the next box or file dialog, typing `path` into a file dialog.
    void Answer(int button, const std::wstring& path = L"") {
        const HWND w = Wait(L""), name = GetDlgItem(w, kFileName);
        seen.emplace_back(Text(name ? GetDlgItem(w, kFileType) : w),
                          Text(name ? name : GetDlgItem(w, kBoxText)));
        if (name && button == IDOK) SetWindowTextW(name, path.c_str());
        Close(w, button);
    }
    void Close(HWND dlg, int button) {
        Post(dlg, button);
        Until([&] { return !IsWindow(dlg); }, L"stayed open: " + Text(dlg));
    }
    void Sync(HWND w) { SendMessageW(w, WM_NULL, 0, 0); }  // once its thread is back in a loop
    void Post(HWND w, int command) { PostMessageW(w, WM_COMMAND, command, 0); }
    void Click(HWND dlg, int id) { SendDlgItemMessageW(dlg, id, BM_CLICK, 0, 0); }
    void Until(const std::function<bool()>& done, const std::wstring& what) {
        for (const auto end = Clock::now() + std::chrono::seconds(20); !done(); Sleep(20))
            if (finished_ || Clock::now() > end) throw Missed{what};
    }

    std::vector<Seen> seen;
    static constexpr int kFileName = 0x47C, kFileType = 0x470, kBoxText = 0xFFFF;

private:
    using Clock = std::chrono::steady_clock;

    struct Missed {
        std::wstring what;
    };
    static std::wstring Text(HWND w) {
        wchar_t text[1024] = {};
        GetWindowTextW(w, text, 1024);
        return text;
    }
    void Work(Script script, int rest) {
        for (const auto quit = Clock::now() + std::chrono::minutes(1); !finished_; Sleep(20)) {
            try {
                if (script) std::exchange(script, nullptr)(*this);
                if (Find(L"")) Answer(rest);
            } catch (const Missed& e) { seen.emplace_back(L"waited in vain", e.what); }
            if (Clock::now() > quit) PostThreadMessageW(thread_, WM_QUIT, 0, 0);
        }
    }
    // The one awaiting an answer is enabled: its owner is not.
    HWND Find(const std::wstring& caption) {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr));)
            if (GetWindowThreadProcessId(w, nullptr) == thread_ && IsWindowVisible(w) &&
                IsWindowEnabled(w) &&
                (caption.empty() ? GetDlgItem(w, kBoxText) || GetDlgItem(w, kFileName)
                                 : Text(w) == caption))
                return w;
        return nullptr;
    }

    const DWORD thread_ = GetCurrentThreadId();
    std::atomic<bool> finished_{false};
    std::thread worker_;  // last: it starts at once
};
