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

std::wstring Widen(std::string_view text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// In the ANSI code page, as the ANSI dialog gives it.
std::string Narrow(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), static_cast<int>(text.size()),
                        nullptr, nullptr);
    return text;
}

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
        files_ = {Widen(chosen)};
        return IDOK;
    }
    // Several files come as a folder and a list of names: give them room.
    std::wstring file(flags & OFN_ALLOWMULTISELECT ? kManyFilesChars : MAX_PATH, L'\0');
    Widen(path_).copy(file.data(), MAX_PATH - 1);
    const std::wstring wideFilter = Widen(filter);
    // The dialog puts a dot of its own before the default extension.
    std::wstring ext = Widen(defExt);
    if (!ext.empty() && ext.front() == L'.') ext.erase(0, 1);

    // The wide dialog: the names as they are on disk, which the caller may
    // not be able to hold in the ANSI code page.
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = parent_;
    ofn.lpstrFilter = wideFilter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = flags;
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    if (!(openFileDialog ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn))) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            AppMessageBox("Trop de fichiers choisis à la fois.", MB_OK | MB_ICONERROR);
        return IDCANCEL;
    }
    files_ = SplitFileNames(file.c_str());
    path_ = files_.empty() ? std::string() : Narrow(files_.front());
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
