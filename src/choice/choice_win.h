#pragma once

#include <cstdint>
#include <string>

#include "choice/random_source.h"

// The draw's ties to the system.

// Whether the file can be opened for reading; it is closed again at once.
bool OpensForReading(const std::string& path);

// The program's own generator, seeded by each draw.
RandomSource& ProgramGenerator();

// Makes the pick the desktop wallpaper, stored in the user's profile, when
// its extension is applied for `formats` (IsAppliedExtension); other kinds
// are left alone. A `position` of 0..5 (centre, tile, stretch, fit, fill,
// span) is written to the desktop's settings first; any other leaves the
// system's own position as it is. True when the system took the picture;
// when it refuses it, the desktop's position values are put back as they were.
bool ApplyWallpaper(const std::string& path, const std::string& ext, int32_t formats,
                    int32_t position);

// The wallpaper shown, as a list file holds paths; empty when it has none,
// or one that the ANSI code page cannot hold (no list entry can name it).
std::string CurrentWallpaper();

// What change now came to.
enum class WallpaperChange { Changed, NoneAvailable, Refused };
