#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "list/wallpaper_list.h"

// List files on disk. The file layer returns what went wrong; LoadList and
// SaveList are the program's steps above it, with their messages.

// Why a list file could not be read or written. `cause` is the number shown
// in the message (0 to 14); a refused version has a message of its own.
struct ListFileProblem {
    bool versionRefused = false;
    int cause = 0;
};

// Appends the file's entries to `list` and takes its ratingSum. On a problem
// the entries read so far stay in the list.
std::optional<ListFileProblem> ReadListFromFile(const std::wstring& path, CWallpaperList& list,
                                                int32_t& ratingSum);

// Writes the list beside the target, then renames it into the target's place:
// on failure the old file is left as it was.
std::optional<ListFileProblem> WriteListToFile(const std::wstring& path, const CWallpaperList& list,
                                               int32_t ratingSum);

// Loads a list file, with the message for a problem. True when read to the
// end, and after a refused version (the list is then untouched).
bool LoadList(const std::wstring& path, CWallpaperList& list, int32_t& ratingSum);

// Saves a list file, with the message for a failure. True when saved.
bool SaveList(const std::wstring& path, const CWallpaperList& list, int32_t ratingSum);
