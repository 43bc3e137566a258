// Starts Velunda on a list and waits until its window is up with every entry
// listed, then ends it: the program that bench/window_open.sh times.
//
//   window_up.exe VELUNDA.EXE LIST COUNT [OPENED OPENED_COUNT]
//
// LIST becomes the startup list (FilelistPath; the other settings must be
// there already). The window is up when it is visible and its list box
// answers LB_GETCOUNT with COUNT: Velunda's thread answers only from its
// message loop, so by then the window has been filled, shown and painted.
// With OPENED, the probe then opens that list through the menu command and
// the real Open dialog, and prints the milliseconds from confirming the
// dialog to the list box answering OPENED_COUNT.
// Exit code 0 when everything was seen within 60 s, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "started_program_win.h"
#include "res/resource.h"
#include "win/handles.h"

namespace {

constexpr ULONGLONG kPatienceMs = 60000;
constexpr int kFileNameControl = 0x47C;  // cmb13 of the common Open dialog

bool SetStartupList(const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zarnovell Software\\Velunda\\1.0", 0, nullptr,
                        0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const win::UniqueHKey owner(key);
    return RegSetValueExA(key, "FilelistPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                          DWORD(strlen(path) + 1)) == ERROR_SUCCESS;
}

struct Search {
    DWORD pid;
    HWND except;
    int control;  // a control the dialog must have; 0 for any
    HWND found = nullptr;
};

// A visible dialog of the process other than `except`.
HWND FindDialog(DWORD pid, HWND except, int control) {
    Search search{pid, except, control};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            char cls[16] = {};
            GetWindowThreadProcessId(hwnd, &pid);
            GetClassNameA(hwnd, cls, sizeof cls);
            if (pid != s.pid || hwnd == s.except || strcmp(cls, "#32770") != 0 ||
                !IsWindowVisible(hwnd) || (s.control && !GetDlgItem(hwnd, s.control)))
                return TRUE;
            s.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(DWORD pid, HWND except, int control, ULONGLONG deadline) {
    for (; GetTickCount64() < deadline; Sleep(1))
        if (HWND dlg = FindDialog(pid, except, control)) return dlg;
    return nullptr;
}

bool WaitForCount(HWND list, LRESULT count, ULONGLONG deadline) {
    for (; GetTickCount64() < deadline; Sleep(1)) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &answer) &&
            LRESULT(answer) == count)
            return true;
    }
    return false;
}

double Milliseconds(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(now.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Opens `file` through "Ouvrir une liste..." and waits for `count` items.
bool OpenList(DWORD pid, HWND main, HWND list, const char* file, LRESULT count,
              ULONGLONG deadline) {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_LIST_OPEN, 0), 0);
    HWND dialog = WaitForDialog(pid, main, kFileNameControl, deadline);
    if (!dialog) return false;
    SetDlgItemTextA(dialog, kFileNameControl, file);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!WaitForCount(list, count, deadline)) return false;
    std::printf("opened %ld entries in %.0f ms\n", long(count), Milliseconds(start));
    return true;
}

bool Run(int argc, char** argv, const PROCESS_INFORMATION& process) {
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    HWND main = WaitForDialog(process.dwProcessId, nullptr, IDC_WALLPAPER_LIST, deadline);
    HWND list = main ? GetDlgItem(main, IDC_WALLPAPER_LIST) : nullptr;
    if (!list || !WaitForCount(list, std::atol(argv[3]), deadline)) return false;
    return argc < 6 ||
           OpenList(process.dwProcessId, main, list, argv[4], std::atol(argv[5]), deadline);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr, "usage: window_up VELUNDA.EXE LIST COUNT [OPENED OPENED_COUNT]\n");
        return 2;
    }
    if (!SetStartupList(argv[2])) return 1;
    const StartedProgram started(argv[1]);
    if (!started) return 1;
    const PROCESS_INFORMATION& process = started.info;
    const bool seen = Run(argc, argv, process);
    if (!seen) std::fprintf(stderr, "window_up: the window never showed every entry\n");
    // Its end is not part of the measure: no close, no settings written.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    return seen ? 0 : 1;
}
