#pragma once

#include <string>

#include "choice/random_source.h"

// The draw's ties to the system.

// Whether the file can be opened for reading; it is closed again at once.
bool OpensForReading(const std::string& path);

// The program's own generator, seeded by each draw.
RandomSource& ProgramGenerator();

// Makes the pick the desktop wallpaper, stored in the user's profile, when
// its extension is "bmp" in any case; other kinds are left alone.
void ApplyWallpaper(const std::string& path, const std::string& ext);
