#include "win/file_dialog.h"

#include "win/seams.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "win/message_box.h"

namespace win {
namespace {

FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}

// Room for a folder and a great many names, when several files may be chosen.
constexpr std::size_t kManyFilesChars = std::size_t{1} << 18;

// The dialog's answer: "path\0\0" for one file, "folder\0name\0name\0\0" for
// several.
std::vector<std::wstring> SplitFileNames(const wchar_t* answer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* part = answer; *part; part += parts.back().size() + 1)
        parts.emplace_back(part);
    if (parts.size() < 2) return parts;
    const std::wstring folder =
        parts.front().ends_with(L'\\') ? parts.front() : parts.front() + L'\\';
    std::vector<std::wstring> files;
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}

}  // namespace

std::wstring ToOfnFilter(std::wstring_view filter) {
    std::wstring result(filter);
    std::replace(result.begin(), result.end(), L'|', L'\0');
    // Two NULs end the list, also when the caller left off the final "||".
    while (result.size() < 2 || result.compare(result.size() - 2, 2, std::wstring(2, L'\0')) != 0)
        result.push_back(L'\0');
    return result;
}

FileDialog::FileDialog(bool openFileDialog, std::wstring defExt, std::wstring fileName, DWORD flags,
                       std::wstring_view filter, HWND parent)
    : openFileDialog(openFileDialog),
      defExt(std::move(defExt)),
      flags(flags),
      filter(ToOfnFilter(filter)),
      parent_(parent),
      path_(std::move(fileName)) {}

INT_PTR FileDialog::DoModal() {
    if (Handler()) {
        std::wstring chosen;
        if (!Handler()(*this, chosen)) return IDCANCEL;
        path_ = chosen;
        files_ = {chosen};
        return IDOK;
    }
    // Several files come as a folder and a list of names: give them room.
    std::wstring file(flags & OFN_ALLOWMULTISELECT ? kManyFilesChars : MAX_PATH, L'\0');
    path_.copy(file.data(), MAX_PATH - 1);
    // The dialog puts a dot of its own before the default extension.
    std::wstring ext = defExt;
    if (!ext.empty() && ext.front() == L'.') ext.erase(0, 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = parent_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = flags;
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    if (!(openFileDialog ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn))) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            AppMessageBox(L"Trop de fichiers choisis à la fois.", MB_OK | MB_ICONERROR);
        return IDCANCEL;
    }
    files_ = SplitFileNames(file.c_str());
    path_ = files_.empty() ? std::wstring() : files_.front();
    return IDOK;
}

void SetFileDialogHandler(FileDialogHandler handler) { Handler() = std::move(handler); }

}  // namespace win
