#include "win/file_dialog.h"

#include "win/seams.h"

#include <commdlg.h>

#include <algorithm>

namespace win {
namespace {

FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}

}  // namespace

std::string ToOfnFilter(std::string_view filter) {
    std::string result(filter);
    std::replace(result.begin(), result.end(), '|', '\0');
    // Two NULs end the list, also when the caller left off the final "||".
    while (result.size() < 2 || result.compare(result.size() - 2, 2, std::string(2, '\0')) != 0)
        result.push_back('\0');
    return result;
}

FileDialog::FileDialog(bool openFileDialog, std::string defExt, std::string fileName, DWORD flags,
                       std::string_view filter, HWND parent)
    : openFileDialog(openFileDialog),
      defExt(std::move(defExt)),
      flags(flags),
      filter(ToOfnFilter(filter)),
      parent_(parent),
      path_(std::move(fileName)) {}

INT_PTR FileDialog::DoModal() {
    if (Handler()) {
        std::string chosen;
        if (!Handler()(*this, chosen)) return IDCANCEL;
        path_ = chosen;
        return IDOK;
    }
    char file[MAX_PATH] = {};
    path_.copy(file, MAX_PATH - 1);
    // The dialog puts a dot of its own before the default extension.
    std::string ext = defExt;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = parent_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = flags;
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    const BOOL ok = openFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (!ok) return IDCANCEL;
    path_ = file;
    return IDOK;
}

std::string FileDialog::GetFileExt() const {
    const auto name = path_.find_last_of("\\/:");
    const auto dot = path_.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return {};
    return path_.substr(dot + 1);
}

void SetFileDialogHandler(FileDialogHandler handler) { Handler() = std::move(handler); }

}  // namespace win
