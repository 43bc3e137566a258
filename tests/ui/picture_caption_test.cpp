// The preview's arithmetic: its caption, the size a picture is shown at, and the shrinking.
#include <gtest/gtest.h>

#include <vector>

#include "ui/picture_caption.h"
#include "ui/picture_shrink.h"

TEST(PictureCaption, SizesInFrenchUnits) {
    EXPECT_EQ(PictureCaption(1920, 1080, 2516582), L"1920 \u00d7 1080 \u2013 2,4 Mo");
    const std::pair<uint64_t, const wchar_t*> rows[] = {
        {0, L"0 octets"},     {1023, L"1023 octets"},  {1024, L"1,0 Ko"},
        {10188, L"9,9 Ko"},   {10189, L"10 Ko"},       {1048063, L"1023 Ko"},
        {1048064, L"1,0 Mo"}, {5ull << 30, L"5,0 Go"}, {3ull << 50, L"3072 To"}};
    for (const auto& [bytes, text] : rows) EXPECT_EQ(FileSizeText(bytes), text) << bytes;
}

TEST(PictureShrink, FitsTheBoxKeepingTheAspectAndNeverEnlarges) {
    const std::tuple<PixelSize, PixelSize, PixelSize> rows[] = {
        {{6000, 4000}, {300, 300}, {300, 200}},
        {{4000, 6000}, {300, 300}, {200, 300}},
        {{64, 48}, {300, 300}, {64, 48}},
        {{100000, 10}, {300, 300}, {300, 1}},
        {{10, 100000}, {300, 300}, {1, 300}},
        {{0, 10}, {300, 300}, {0, 0}},
        {{10, 10}, {0, 300}, {0, 0}}};
    for (const auto& [picture, box, shown] : rows)
        EXPECT_EQ(FitInside(picture, box), shown) << picture.width << 'x' << picture.height;
}

TEST(PictureShrink, EachShownRowAveragesItsOwnBand) {
    EXPECT_EQ(BandOfRow(0, 2, 5), (RowBand{0, 2}));
    EXPECT_EQ(BandOfRow(1, 2, 5), (RowBand{2, 5}));
    EXPECT_EQ(BandOfRow(3, 4, 4), (RowBand{3, 4}));
    // Two rows of three pixels, padded to 14 bytes, into two pixels: the first two columns,
    // then the third.
    const std::vector<uint8_t> band{2,  10, 20, 30, 4,  0, 0, 0, 100, 0, 0, 0, 9, 9,
                                    20, 30, 40, 50, 12, 0, 0, 0, 200, 0, 0, 0, 9, 9};
    std::vector<uint8_t> row(8, 1);
    AverageBand(band.data(), 14, 3, 2, 4, 2, row.data());
    EXPECT_EQ(row, (std::vector<uint8_t>{10, 10, 15, 20, 150, 0, 0, 0}));
    // The same bytes as 3-byte pixels, four to a row: opaque.
    AverageBand(band.data(), 14, 4, 2, 3, 2, row.data());
    EXPECT_EQ(row, (std::vector<uint8_t>{26, 14, 15, 255, 0, 0, 75, 255}));
}
