#include "win/message_box.h"

#include "win/seams.h"

namespace win {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

HWND& MainWindow() {
    static HWND window = nullptr;
    return window;
}

}  // namespace

std::string AppTitle() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string name(path, n);
    const auto slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

void SetMainWindow(HWND window) { MainWindow() = window; }

int AppMessageBox(const std::string& text, UINT style) {
    // Not the active window: when the user has switched to another program,
    // that is null, and an unowned box may open behind other windows while
    // the main window's menus still run.
    const HWND owner = MainWindow() ? MainWindow() : GetActiveWindow();
    return WindowMessageBox(owner, text, AppTitle(), style);
}

int WindowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    if (Handler()) return Handler()(owner, text, caption, style);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace win
