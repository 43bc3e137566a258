// Starts a GUI program, waits for its first visible top-level window and
// closes it as a user would (WM_CLOSE), then waits for the program to end.
// Usage: run_and_close <program> [arguments...]
// Prints the title of the window it closed; exits with the program's exit
// code, or with 100 and up when the program could not be run or closed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "win/handles.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

std::string WindowTitle(HWND hwnd) {
    char title[256] = {};
    GetWindowTextA(hwnd, title, sizeof(title));
    return title;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: run_and_close <program> [arguments...]\n");
        return 100;
    }
    std::string commandLine = "\"";
    commandLine.append(argv[1]).append("\"");
    for (int i = 2; i < argc; ++i) commandLine.append(" ").append(argv[i]);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 100;
    }
    const win::UniqueHandle process(info.hProcess);
    const win::UniqueHandle thread(info.hThread);

    // The first Wine start of a program can take a while.
    WindowSearch search{info.dwProcessId, nullptr};
    for (int tries = 0; tries < 600 && !search.found; ++tries) {
        if (WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s ended without showing a window\n", argv[1]);
            return 101;
        }
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    }
    if (!search.found) {
        std::fprintf(stderr, "%s showed no window within 60 s\n", argv[1]);
        TerminateProcess(process.get(), 1);
        return 102;
    }
    std::printf("closing \"%s\"\n", WindowTitle(search.found).c_str());
    std::fflush(stdout);
    PostMessageA(search.found, WM_CLOSE, 0, 0);

    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        // Most likely a question box is waiting for an answer: say which.
        search.found = nullptr;
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        std::fprintf(stderr, "%s did not end after WM_CLOSE; window shown: \"%s\"\n", argv[1],
                     search.found ? WindowTitle(search.found).c_str() : "");
        TerminateProcess(process.get(), 1);
        return 103;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return static_cast<int>(exitCode);
}
