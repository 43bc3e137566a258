#include <gtest/gtest.h>

#include <algorithm>

#include "list/wallpaper_entry.h"
#include "ui/wallpaper_list_box.h"

namespace {

// With prefixes, each "&&" would draw as one "&": the line would end half-way.
TEST(WallpaperListBox, DrawsAmpersandsAsTheyAre) {
    const CWallpaperEntry entry("bmp", std::string(30, '&'), 3);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, 600, 20),
                  old = HBITMAP(SelectObject(dc, bitmap));
    PatBlt(dc, 0, 0, 600, 20, WHITENESS);
    CWallpaperListBox().DrawItem(
        {ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, 0, nullptr, dc, {0, 0, 600, 20}, ULONG_PTR(&entry)});
    SIZE whole{};
    GetTextExtentPoint32W(dc, (std::wstring(30, L'&') + L" [3]").c_str(), 34, &whole);
    int right = 0;
    for (int i = 0; i < 600 * 20; ++i)
        if (GetPixel(dc, i % 600, i / 600) != RGB(255, 255, 255)) right = std::max(right, i % 600);
    EXPECT_GT(right, whole.cx * 3 / 4);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

}  // namespace
