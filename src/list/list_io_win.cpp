#include "list/list_io_win.h"

#include <windows.h>

#include <new>
#include <optional>
#include <string>

#include "list/file_cause_win.h"
#include "list/list_file.h"
#include "win/handles.h"
#include "win/message_box.h"

namespace {

constexpr wchar_t kSaveError[] = L"Erreur d'enregistrement de la liste";
constexpr wchar_t kLoadError[] = L"Erreur de chargement de la liste";
constexpr wchar_t kVersionRefused[] = L"Version de la liste trop récente";

// Errors of the file's content rather than of the system.
constexpr int kCauseGeneric = 1;
constexpr int kCauseEndOfFile = 14;

// Written next to the target, so that replacing the target is a rename
// within one folder. A name left by a crash is reused by the next save.
constexpr wchar_t kTempSuffix[] = L".velunda-tmp";
// The old list while the new one replaces it; removed once it has.
constexpr wchar_t kBackupSuffix[] = L".velunda-old";
// What the new file takes over from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// "<text> (<cause>)".
void ShowCause(const wchar_t* text, int cause) {
    win::AppMessageBox(std::wstring(text) + L" (" + std::to_wstring(cause) + L")", MB_ICONERROR);
}

class FileInput : public RawInput {
public:
    explicit FileInput(HANDLE file) : file_(file) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        DWORD n = 0;
        const DWORD ask = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
        if (!ReadFile(file_, out, ask, &n, nullptr)) {
            error = GetLastError();
            return false;
        }
        got = n;
        return true;
    }
    DWORD error = ERROR_SUCCESS;

private:
    HANDLE file_;
};

class FileOutput : public RawOutput {
public:
    explicit FileOutput(HANDLE file) : file_(file) {}
    bool Write(const std::byte* data, std::size_t size) override {
        while (size > 0) {
            DWORD n = 0;
            const DWORD ask = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
            if (!WriteFile(file_, data, ask, &n, nullptr)) {
                error = GetLastError();
                return false;
            }
            if (n == 0) {
                error = ERROR_WRITE_FAULT;
                return false;
            }
            data += n;
            size -= n;
        }
        return true;
    }
    DWORD error = ERROR_SUCCESS;

private:
    HANDLE file_;
};

// The cause of the last system error.
int LastCause() { return FileCauseFromError(GetLastError()); }

// The full path with the "\\?\" prefix, which lifts the 260-character limit:
// the temporary name is longer than the target, which may itself be close to
// that limit.
std::optional<std::wstring> LongPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return std::nullopt;
    full.resize(length);
    if (full.starts_with(LR"(\\?\)")) return full;
    if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

// Removes the temporary file unless the save went through.
class TempFile {
public:
    explicit TempFile(std::wstring path) : path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        handle.reset();
        if (!kept_) DeleteFileW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }
    void Keep() { kept_ = true; }
    win::UniqueFile handle;

private:
    std::wstring path_;
    bool kept_ = false;
};

// Some network and cloud drives cannot flush, and say so: the data is theirs to keep.
bool Flush(HANDLE file) {
    return FlushFileBuffers(file) || GetLastError() == ERROR_INVALID_FUNCTION;
}

// Puts the new file in the existing target's place, keeping what the target
// carries (attributes, permissions, streams). Where the file system cannot
// replace, a rename does. The old file is kept under the backup name until
// the end, so that no failure can lose it.
bool Replace(const std::wstring& target, const std::wstring& temp) {
    const std::wstring backup = target + kBackupSuffix;
    if (ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return true;
    }
    const DWORD error = GetLastError();
    switch (error) {
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_CALL_NOT_IMPLEMENTED:
        return MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    // The old file is under the backup name only: back to its own.
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: MoveFileExW(backup.c_str(), target.c_str(), 0); break;
    default: break;
    }
    SetLastError(error);
    return false;
}

// Writes the whole list beside the target, then puts it in the target's place:
// a failure at any step leaves the old file as it was.
// Returns the cause of a failure, nothing on success.
std::optional<int> SaveReplacing(const std::wstring& path, const CWallpaperList& list,
                                 int32_t ratingSum) {
    const auto target = LongPath(path);
    if (!target) return LastCause();
    // Hold an existing target without sharing while the new list is written,
    // as a save always did: a target that another program holds open fails
    // here as a sharing violation (11), a read-only one as access denied (5),
    // before anything is written.
    win::UniqueFile held(
        CreateFileW(target->c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!held) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return FileCauseFromError(error);
    }

    // The target's attributes go to the new file on every path, the rename too.
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (held) {
        const DWORD old = GetFileAttributesW(target->c_str());
        if (old == INVALID_FILE_ATTRIBUTES) return LastCause();
        if (old & kKeptAttributes) attributes = old & kKeptAttributes;
    }
    TempFile temp(*target + kTempSuffix);
    temp.handle.reset(CreateFileW(temp.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  attributes, nullptr));
    if (!temp.handle) {
        const int cause = LastCause();
        temp.Keep();  // not ours: it may be another save's
        return cause;
    }

    FileOutput raw(temp.handle.get());
    ListOutput out(raw);
    switch (WriteListFile(out, list, ratingSum)) {
    case ListFileError::None: break;
    case ListFileError::WriteFailed: return FileCauseFromError(raw.error);
    default: return kCauseGeneric;
    }
    if (!Flush(temp.handle.get())) return LastCause();
    if (!CloseHandle(temp.handle.release())) return LastCause();

    const bool replacing = static_cast<bool>(held);
    held.reset();
    if (replacing ? !Replace(*target, temp.path())
                  : !MoveFileExW(temp.path().c_str(), target->c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastCause();
    temp.Keep();
    return std::nullopt;
}

}  // namespace

std::optional<ListFileProblem> ReadListFromFile(const std::wstring& path, CWallpaperList& list,
                                                int32_t& ratingSum) {
    try {
        // No sharing: a file that another process holds open fails with 11.
        win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER size{};
        if (!file || !GetFileSizeEx(file.get(), &size)) return ListFileProblem{false, LastCause()};
        FileInput raw(file.get());
        ListInput in(raw, static_cast<std::uint64_t>(size.QuadPart));
        switch (ReadListFile(in, list, ratingSum)) {
        case ListFileError::None: return std::nullopt;
        case ListFileError::VersionRefused: return ListFileProblem{true, 0};
        case ListFileError::ReadFailed:
            return ListFileProblem{false, FileCauseFromError(raw.error)};
        // A short file, a length past its end, or one that cannot be
        // allocated: the file ends before its content does.
        case ListFileError::EndOfFile:
        case ListFileError::OutOfMemory: return ListFileProblem{false, kCauseEndOfFile};
        default: return ListFileProblem{false, kCauseGeneric};
        }
    } catch (const std::bad_alloc&) { return ListFileProblem{false, kCauseEndOfFile}; }
}

std::optional<ListFileProblem> WriteListToFile(const std::wstring& path, const CWallpaperList& list,
                                               int32_t ratingSum) {
    try {
        if (const auto cause = SaveReplacing(path, list, ratingSum))
            return ListFileProblem{false, *cause};
        return std::nullopt;
    } catch (const std::bad_alloc&) { return ListFileProblem{false, kCauseGeneric}; }
}

bool LoadList(const std::wstring& path, CWallpaperList& list, int32_t& ratingSum) {
    const auto problem = ReadListFromFile(path, list, ratingSum);
    if (!problem) return true;
    if (problem->versionRefused) {
        win::AppMessageBox(kVersionRefused, MB_ICONERROR);
        return true;
    }
    ShowCause(kLoadError, problem->cause);
    return false;
}

bool SaveList(const std::wstring& path, const CWallpaperList& list, int32_t ratingSum) {
    const auto problem = WriteListToFile(path, list, ratingSum);
    if (problem) ShowCause(kSaveError, problem->cause);
    return !problem;
}
