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
    FileDialog(bool openFileDialog, std::string defExt, std::string fileName, DWORD flags,
               std::string_view filter, HWND parent);

    // IDOK when a file was chosen, else IDCANCEL.
    INT_PTR DoModal();
    // The chosen file's full path (the first, when several were chosen), in
    // the ANSI code page.
    const std::string& GetPathName() const { return path_; }
    // Every chosen file's full path as the system names it: one, or several
    // with OFN_ALLOWMULTISELECT.
    const std::vector<std::wstring>& GetFileNames() const { return files_; }
    // Its extension without the dot, in the case given; empty when it has none.
    std::string GetFileExt() const;

    const bool openFileDialog;
    const std::string defExt;
    const DWORD flags;
    const std::string filter;  // in the OPENFILENAME form: parts separated by NULs

private:
    HWND parent_;
    std::string path_;
    std::vector<std::wstring> files_;
};

// "a|b||" becomes "a\0b\0\0": the form OPENFILENAME wants.
std::string ToOfnFilter(std::string_view filter);

}  // namespace win
