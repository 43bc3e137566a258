#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/file_dialog.h"

// Test seams of the window layer: tests answer message boxes and file
// dialogs instead of showing them. The program itself never sets them; an
// empty handler restores the real windows.
namespace win {

using MessageBoxHandler = std::function<int(HWND owner, const std::wstring& text,
                                            const std::wstring& caption, UINT style)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// Returns true and sets the path to confirm, or false to cancel.
using FileDialogHandler = std::function<bool(const FileDialog& dialog, std::wstring& path)>;
void SetFileDialogHandler(FileDialogHandler handler);

}  // namespace win
