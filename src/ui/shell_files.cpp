#include "ui/shell_files.h"

#include <shlobj.h>

#include <optional>

#include "list/entry_path_win.h"
#include "ui/added_files.h"
#include "win/handles.h"

namespace {

struct DropTraits {
    using Handle = HDROP;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DragFinish(h); }
};

// With the "\\?\" prefix, so that a folder deeper than 259 characters is
// walked too: its files are then refused by name rather than missed.
std::wstring LongName(const std::wstring& path) {
    if (path.starts_with(LR"(\\?\)")) return path;
    if (path.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + path.substr(2);
    return LR"(\\?\)" + path;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder.ends_with(L'\\') ? folder + name : folder + L'\\' + name;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(LongName(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Counts each file against the limit before visiting it.
class Walk {
public:
    Walk(int limit, const std::function<void(const std::wstring&)>& visit)
        : left_(limit), visit_(visit) {}

    bool File(const std::wstring& path) {
        if (left_ == 0) return false;
        --left_;
        visit_(path);
        return true;
    }
    // Depth first, with a stack of its own: a deep tree cannot overflow ours.
    bool Folder(const std::wstring& top) {
        std::vector<std::wstring> folders{top};
        while (!folders.empty()) {
            const std::wstring folder = std::move(folders.back());
            folders.pop_back();
            WIN32_FIND_DATAW found;
            const win::UniqueFind find(
                FindFirstFileW(LongName(Join(folder, L"*")).c_str(), &found));
            if (!find) continue;
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const DWORD attributes = found.dwFileAttributes;
                if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    if (!File(Join(folder, name))) return false;
                } else if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    folders.push_back(Join(folder, name));
                }
            } while (FindNextFileW(find.get(), &found));
        }
        return true;
    }

private:
    int left_;
    const std::function<void(const std::wstring&)>& visit_;
};

// The file system's short (8.3) name for the path; nothing when it has none.
std::optional<std::wstring> ShortPath(const std::wstring& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring alias(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), alias.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    alias.resize(length);
    return alias;
}

}  // namespace

std::vector<std::wstring> TakeDroppedPaths(HDROP drop) {
    const win::Owner<DropTraits> finish(drop);
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(std::move(path));
    }
    return paths;
}

bool ForEachFile(const std::vector<std::wstring>& paths, int limit,
                 const std::function<void(const std::wstring&)>& visit) {
    Walk walk(limit, visit);
    for (const std::wstring& path : paths)
        if (!(IsFolder(path) ? walk.Folder(path) : walk.File(path))) return false;
    return true;
}

ListPath ToListPath(const std::wstring& path, std::string& ansi) {
    auto bytes = EntryPathFromWide(path);
    // A name that the code page lacks may still have a short alias that it holds.
    if (!bytes)
        if (const auto alias = ShortPath(path)) bytes = EntryPathFromWide(*alias);
    if (!bytes) return ListPath::NotAnsi;
    if (bytes->size() > kListPathBytes) return ListPath::TooLong;
    ansi = std::move(*bytes);
    return ListPath::Ok;
}

void ShowInFolder(const std::wstring& path) {
    const win::ComScope com;
    PIDLIST_ABSOLUTE file = ILCreateFromPathW(path.c_str());
    if (file) {
        SHOpenFolderAndSelectItems(file, 0, nullptr, 0);
        ILFree(file);
        return;
    }
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (PIDLIST_ABSOLUTE where = ILCreateFromPathW(folder.c_str())) {
        SHOpenFolderAndSelectItems(where, 0, nullptr, 0);
        ILFree(where);
    }
}
