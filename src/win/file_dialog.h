#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace win {

// The common Open or Save As dialog, set up the framework's way: a filter of
// "name|pattern|...||" and OFN_* flags.
class FileDialog {
public:
    FileDialog(bool openFileDialog, std::wstring defExt, std::wstring fileName, DWORD flags,
               std::wstring_view filter, HWND parent);

    // IDOK when a file was chosen, else IDCANCEL.
    INT_PTR DoModal();
    // The chosen file's full path (the first, when several were chosen).
    const std::wstring& GetPathName() const { return path_; }
    // Every chosen file's full path as the system names it: one, or several
    // with OFN_ALLOWMULTISELECT.
    const std::vector<std::wstring>& GetFileNames() const { return files_; }

    const bool openFileDialog;
    const std::wstring defExt;
    const DWORD flags;
    const std::wstring filter;  // in the OPENFILENAME form: parts separated by NULs

private:
    HWND parent_;
    std::wstring path_;
    std::vector<std::wstring> files_;
};

// "a|b||" becomes "a\0b\0\0": the form OPENFILENAME wants.
std::wstring ToOfnFilter(std::wstring_view filter);

}  // namespace win
