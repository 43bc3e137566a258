#pragma once

#include <cstddef>
#include <cstdint>

// The arithmetic of the preview: what size a picture is shown at, and the
// area average that shrinks it one band of rows at a time, so that a large
// picture never has to be held whole.

struct PixelSize {
    uint32_t width = 0;
    uint32_t height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The largest size that fits `box` with the picture's aspect ratio kept,
// never larger than the picture itself and never below 1 x 1. An empty
// picture or box gives 0 x 0.
PixelSize FitInside(PixelSize picture, PixelSize box);

// The source rows [first, last) that make up row `row` of `shownRows` rows,
// no more than `sourceRows`.
struct RowBand {
    uint32_t first = 0;
    uint32_t last = 0;
    bool operator==(const RowBand&) const = default;
};
RowBand BandOfRow(uint32_t row, uint32_t shownRows, uint32_t sourceRows);

// Averages a band of pixels (`rows` rows of `sourceWidth` pixels of
// `pixelBytes` bytes, 4 or 3, `stride` bytes apart) into one row of
// `shownWidth` 4-byte pixels, channel by channel, each shown pixel covering
// its own columns of the band. 3-byte pixels are opaque: their fourth byte is 255.
void AverageBand(const uint8_t* band, size_t stride, uint32_t sourceWidth, uint32_t rows,
                 int pixelBytes, uint32_t shownWidth, uint8_t* shownRow);
