// Times Velunda's preview pane: starts Velunda (its settings, the preview on
// and the startup list, are there already), then selects each entry in turn,
// RUNS times, and measures the time from the selection to the pane's caption
// (the pane names a picture only once it has drawn it). Meanwhile a second
// thread sends the window WM_NULL without pause and keeps the longest wait
// for its answer (SendMessageTimeout): how long the window ever stopped
// answering.
//
//   preview_probe.exe VELUNDA.EXE COUNT RUNS
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "started_program_win.h"
#include "res/resource.h"
#include "win/handles.h"

namespace {

double Milliseconds(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(now.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

HWND FindMain(DWORD pid) {
    for (const ULONGLONG end = GetTickCount64() + 60000; GetTickCount64() < end; Sleep(10))
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && IsWindowVisible(w) && GetDlgItem(w, IDC_PREVIEW_PANE)) return w;
        }
    return nullptr;
}

std::wstring Text(HWND w) {
    wchar_t text[128] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 10000,
                        &got);
    return text;
}

// Milliseconds from selecting `index` to its caption; negative after a minute.
double Select(HWND main, HWND list, HWND pane, int index) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_SELCHANGE), 0);
    while (Text(pane).empty())
        if (Milliseconds(start) > 60000) return -1;
    return Milliseconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: preview_probe VELUNDA.EXE COUNT RUNS\n");
        return 2;
    }
    const int count = std::atoi(argv[2]), runs = std::atoi(argv[3]);
    const StartedProgram started(argv[1]);
    if (!started) return 1;
    const PROCESS_INFORMATION& process = started.info;
    const HWND main = FindMain(process.dwProcessId);
    if (!main) return 1;
    const HWND list = GetDlgItem(main, IDC_WALLPAPER_LIST),
               pane = GetDlgItem(main, IDC_PREVIEW_PANE);
    std::atomic<bool> done{false};
    double longest = 0;
    std::thread probe([&] {
        while (!done) {
            LARGE_INTEGER start;
            QueryPerformanceCounter(&start);
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
            longest = std::max(longest, Milliseconds(start));
        }
    });
    std::vector<std::vector<double>> times(count);
    bool ok = true;
    for (int run = 0; run < runs && ok; ++run)
        for (int i = 0; i < count && ok; ++i)
            ok = (times[i].emplace_back(Select(main, list, pane, i))) >= 0;
    done = true;
    probe.join();
    for (int i = 0; i < count && ok; ++i) {
        std::vector<double>& t = times[i];
        std::sort(t.begin(), t.end());
        Select(main, list, pane, i);
        char caption[128] = {};
        WideCharToMultiByte(CP_UTF8, 0, Text(pane).c_str(), -1, caption, sizeof caption, nullptr,
                            nullptr);
        std::printf("%-30s min %4.0f ms, median %4.0f ms, max %4.0f ms\n", caption, t.front(),
                    t[t.size() / 2], t.back());
    }
    std::printf("longest wait for the window to answer a message: %.0f ms\n", longest);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    return ok ? 0 : 1;
}
