#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "choice/random_source.h"
#include "list/wallpaper_list.h"

// Draws one entry with the rating bias: a minimum rating from the threshold
// table, then one entry uniformly among those rated at least that much. A
// pick whose file cannot be opened is removed from the list (ratingSum
// lowered by its rating) and the draw starts again, seeded afresh from the
// clock. True: path and ext hold the pick. False: the list holds no entry
// rated 1 or more (or none at all); path and ext are empty.
bool DrawWallpaper(CWallpaperList& list, int32_t& ratingSum, RandomSource& generator,
                   const std::function<std::time_t()>& clock,
                   const std::function<bool(const std::string&)>& canOpenForReading,
                   std::string& path, std::string& ext);

// Change now's draw, not the logon run's: among the entries that can become
// the wallpaper (an applied extension for `formats`, and a file that opens),
// never the one named `current` (the wallpaper shown; ASCII case ignored)
// while another of them is listed. Among the others the odds are
// DrawWallpaper's. The list is not changed: the draw works on a copy.
bool DrawOtherWallpaper(const CWallpaperList& list, int32_t formats, const std::string& current,
                        RandomSource& generator, const std::function<std::time_t()>& clock,
                        const std::function<bool(const std::string&)>& canOpenForReading,
                        std::string& path, std::string& ext);

// Whether a pick's extension is "BMP" in any case, the only kind that 1.0
// hands to the system as wallpaper.
bool IsBmpExtension(const std::string& ext);

// Whether a pick of this extension is handed to the system as wallpaper:
// BMP, and with `formats` 1 also JPG, JPEG and PNG, in any case.
bool IsAppliedExtension(const std::string& ext, int32_t formats);
