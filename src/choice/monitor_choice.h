#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "choice/random_source.h"
#include "list/wallpaper_list.h"

// One picture per monitor, each of its monitor's shape where the list allows.

// A picture's shape by its pixel size.
enum class Orientation { Landscape, Portrait, Square };
Orientation OrientationOf(int64_t width, int64_t height);

// A monitor: its size in pixels, and the picture it shows now when that is
// not to come back (empty: no such picture).
struct MonitorArea {
    int32_t width = 0;
    int32_t height = 0;
    std::string current;
};

// Whether a picture of this shape suits the monitor: a portrait one a monitor
// taller than wide, a landscape one any other; a square one suits both.
bool Suits(Orientation picture, const MonitorArea& monitor);

// Draws one entry of the list given with the rating's odds; may drop from
// that list the entries that it finds unusable. Nothing: no usable entry.
using ListDraw = std::function<std::optional<CWallpaperEntry>(CWallpaperList&)>;
// A picture's shape, read from its file; nothing when it cannot be read.
using ShapeProbe = std::function<std::optional<Orientation>(const std::string& path)>;

// At most this many draws for one monitor, and this many pictures read for
// their shape in one run, however long the list.
constexpr int kDrawsPerMonitor = 6;
constexpr int kShapeReads = 24;

// The draw of a logon run, over and over: the first draw seeds the generator
// from the clock, the later ones go on with its sequence, so that draws made
// within one second still differ.
ListDraw RatingDraw(RandomSource& generator, std::function<std::time_t()> clock,
                    std::function<bool(const std::string&)> canOpenForReading);

// One pick per monitor, in the monitors' order; nothing for a monitor only
// when the pool has no usable entry at all. Each monitor draws from the pool
// without the pictures already given to the others and without its current
// one, as long as that leaves a usable entry, and takes the first draw that
// suits its shape, else its first draw.
std::vector<std::optional<CWallpaperEntry>> ChoosePerMonitor(
    const CWallpaperList& pool, const std::vector<MonitorArea>& monitors, const ListDraw& draw,
    const ShapeProbe& probe);
