// Runs an installed Velunda.exe interactively and closes its main window as a
// user would (WM_CLOSE).
// Usage: run_installed <Velunda.exe> [<hold file>]
// With a hold file, it creates that file once the window shows, and closes the
// window only when the file has been deleted: the caller can act meanwhile.
// Exits with 0 when the window showed, no message box came and the program
// ended by itself.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "harness.h"

namespace {

void HoldWhileFileExists(const std::string& file) {
    e2e::WriteBytes(file, {});
    for (int i = 0; i < 1200 && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: run_installed <Velunda.exe> [<hold file>]\n");
        return 2;
    }
    const std::string hold = argc == 3 ? argv[2] : "";
    e2e::RunOptions options;
    options.program = argv[1];
    options.timeout = std::chrono::minutes(3);
    options.onMainWindow = [&hold](HWND hwnd) {
        if (!hold.empty()) HoldWhileFileExists(hold);
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    };
    try {
        const e2e::RunResult result = e2e::Run("", options);
        for (const e2e::Box& box : result.boxes)
            std::fprintf(stderr, "message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
        if (!result.sawMainWindow) std::fprintf(stderr, "no main window\n");
        if (!result.finished) std::fprintf(stderr, "did not end after WM_CLOSE\n");
        return result.sawMainWindow && result.finished && result.boxes.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
