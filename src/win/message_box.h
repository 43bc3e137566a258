#pragma once

#include <windows.h>

#include <string>

// The program's two kinds of message box.
namespace win {

// The application's title: the executable's file name without its extension.
std::wstring AppTitle();

// The window that owns the application's message boxes; null when none is up.
void SetMainWindow(HWND window);

// A box captioned with the application's title, owned by the window of the
// program that the user works in (the dialog being validated, else the main
// window), or by the active window when there is no main window.
int AppMessageBox(const std::wstring& text, UINT style);

// A box owned by a window, with an explicit caption.
int WindowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

}  // namespace win
