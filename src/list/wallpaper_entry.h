#pragma once

#include <cstdint>
#include <string>
#include <utility>

// One listed file. Strings hold ANSI code page bytes, unconverted.
class CWallpaperEntry {
public:
    CWallpaperEntry() = default;
    CWallpaperEntry(std::string ext, std::string path, int32_t rating)
        : ext(std::move(ext)), path(std::move(path)), rating(rating) {}
    CWallpaperEntry(const CWallpaperEntry&) = default;
    CWallpaperEntry& operator=(const CWallpaperEntry&) = default;
    CWallpaperEntry(CWallpaperEntry&&) = default;
    CWallpaperEntry& operator=(CWallpaperEntry&&) = default;
    virtual ~CWallpaperEntry() = default;

    std::string ext;   // extension without the dot, as the file dialog gave it
    std::string path;  // full path
    int32_t rating = 0;
};
