#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <list>
#include <utility>

#include "list/wallpaper_entry.h"

// The wallpaper list, in insertion order. A std::list never moves its nodes,
// so a position stays valid, and an entry keeps its address, until removed.
class CWallpaperList {
public:
    using position = std::list<CWallpaperEntry>::iterator;
    using const_position = std::list<CWallpaperEntry>::const_iterator;

    position AddTail(const CWallpaperEntry& entry) {
        entries.push_back(entry);
        return std::prev(entries.end());
    }
    position AddTail(CWallpaperEntry&& entry) {
        entries.push_back(std::move(entry));
        return std::prev(entries.end());
    }
    void RemoveAt(position pos) { entries.erase(pos); }
    // Moves every entry of `other` to the tail; they keep their addresses.
    void TakeAll(CWallpaperList& other) noexcept { entries.splice(entries.end(), other.entries); }
    void RemoveAll() { entries.clear(); }
    // The position of the listed entry at that address; end() when it is not
    // listed. The main window's list box keeps entry addresses as item data.
    position Find(const CWallpaperEntry* entry) {
        return std::find_if(entries.begin(), entries.end(),
                            [entry](const CWallpaperEntry& e) { return &e == entry; });
    }
    int32_t GetCount() const { return static_cast<int32_t>(entries.size()); }
    bool IsEmpty() const { return entries.empty(); }

    position begin() { return entries.begin(); }
    position end() { return entries.end(); }
    const_position begin() const { return entries.begin(); }
    const_position end() const { return entries.end(); }

private:
    std::list<CWallpaperEntry> entries;
};
