#include "ui/picture_shrink.h"

#include <algorithm>
#include <vector>

PixelSize FitInside(PixelSize picture, PixelSize box) {
    if (!picture.width || !picture.height || !box.width || !box.height) return {};
    if (picture.width <= box.width && picture.height <= box.height) return picture;
    // Compare the ratios in 64 bits: the narrower side of the box decides.
    const uint64_t byWidth = uint64_t{box.width} * picture.height;
    const uint64_t byHeight = uint64_t{box.height} * picture.width;
    PixelSize shown = byWidth <= byHeight
                          ? PixelSize{box.width, static_cast<uint32_t>(byWidth / picture.width)}
                          : PixelSize{static_cast<uint32_t>(byHeight / picture.height), box.height};
    shown.width = std::max(shown.width, 1u);
    shown.height = std::max(shown.height, 1u);
    return shown;
}

RowBand BandOfRow(uint32_t row, uint32_t shownRows, uint32_t sourceRows) {
    // Never enlarged: each band holds at least one row.
    const auto edge = [&](uint32_t r) {
        return static_cast<uint32_t>(uint64_t{r} * sourceRows / shownRows);
    };
    return {edge(row), edge(row + 1)};
}

void AverageBand(const uint8_t* band, size_t stride, uint32_t sourceWidth, uint32_t rows,
                 int pixelBytes, uint32_t shownWidth, uint8_t* shownRow) {
    std::vector<uint64_t> sums(size_t{shownWidth} * 4);
    std::vector<uint32_t> counts(shownWidth);
    // Row by row, in the order the band lies in memory.
    for (uint32_t y = 0; y < rows; ++y) {
        const uint8_t* pixel = band + y * stride;
        for (uint32_t x = 0; x < sourceWidth; ++x, pixel += pixelBytes) {
            const size_t to = uint64_t{x} * shownWidth / sourceWidth;
            ++counts[to];
            for (int c = 0; c < 3; ++c) sums[to * 4 + c] += pixel[c];
            sums[to * 4 + 3] += pixelBytes == 4 ? pixel[3] : 255;
        }
    }
    for (size_t x = 0; x < shownWidth; ++x)
        for (int c = 0; c < 4; ++c)
            shownRow[x * 4 + c] =
                static_cast<uint8_t>(counts[x] ? (sums[x * 4 + c] + counts[x] / 2) / counts[x] : 0);
}
