#include "win/message_box.h"

#include "win/seams.h"

#include "win/module_path.h"

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

// The window the user works in: the topmost enabled window that the main
// window owns, however indirectly (a dialog being validated), else the main
// window itself. A box owned by it disables it, so it cannot be confirmed
// twice nor closed under the box.
HWND WorkingWindow(HWND main) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        // Tool windows (tooltips) are never the one worked in.
        if (!IsWindowVisible(w) || !IsWindowEnabled(w) ||
            (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
            continue;
        for (HWND owner = w; owner; owner = GetWindow(owner, GW_OWNER))
            if (owner == main) return w;
    }
    return main;
}

}  // namespace

std::wstring AppTitle() {
    std::wstring name = ModulePath();
    const auto slash = name.find_last_of(L"\\/:");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

void SetMainWindow(HWND window) { MainWindow() = window; }

int AppMessageBox(const std::wstring& text, UINT style) {
    // Not the active window: when the user has switched to another program,
    // that is null, and an unowned box may open behind other windows while
    // the main window's menus still run.
    const HWND owner = MainWindow() ? WorkingWindow(MainWindow()) : GetActiveWindow();
    return WindowMessageBox(owner, text, AppTitle(), style);
}

int WindowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                     UINT style) {
    if (Handler()) return Handler()(owner, text, caption, style);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace win
