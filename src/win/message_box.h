#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The program's two kinds of message box.
namespace win {

// The application's title: the executable's file name without its extension.
std::string AppTitle();

// A box captioned with the application's title, owned by the active window.
int AppMessageBox(const std::string& text, UINT style);

// A box owned by a window, with an explicit caption.
int WindowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);

// Tests may answer boxes instead of showing them. An empty handler restores
// the real boxes.
using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT style)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace win
