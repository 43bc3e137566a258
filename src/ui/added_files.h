#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Files added to the list in one go: dropped on the main window, files and
// folders, or chosen together in the Add dialog.

// At most this many files are looked at per drop, folders' contents included.
constexpr int kDropFileLimit = 10000;
// The longest path that a list file holds: a MAX_PATH buffer with its NUL.
constexpr std::size_t kListPathBytes = 259;

// What came of the files offered, for the one message that follows.
struct AddedFiles {
    int added = 0;
    int tooLong = 0;       // more than kListPathBytes in the ANSI code page
    int notAnsi = 0;       // characters that the ANSI code page lacks, and no short alias
    bool stopped = false;  // the drop reached kDropFileLimit files
    int notApplied = 0;    // JPEG and PNG pictures while only bitmaps are applied
};

// Whether a dropped file is a picture that the list takes: .bmp, and with
// `formats` 1 also .jpg, .jpeg and .png, in any case.
bool IsPictureName(std::wstring_view path, int32_t formats);

// The extension of the path's last name, without the dot; empty when it has none.
std::string FileExtension(std::string_view path);

// The French message after adding: how many were added, how many were left
// out and why. Empty when every file was added.
std::wstring AddedFilesMessage(const AddedFiles& files);
