// Drawing into a memory bitmap and reading its pixels; comparing entries.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "list/wallpaper_entry.h"
#include "ui/wallpaper_list_box.h"

namespace {

constexpr int kWidth = 320, kHeight = 24;
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
constexpr RECT kItem{4, 4, 300, 20};  // with a margin all round

// A white screen-compatible bitmap with white as back colour, as a list box has
// it, and a font without antialiasing: every text pixel is the text colour.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    Canvas() {
        SelectObject(dc, bitmap);
        SelectObject(dc, font);
        PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
        SetBkColor(dc, kWhite);
    }
    ~Canvas() {
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
        DeleteObject(font);
    }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> all;
        for (int i = 0; i < kWidth * kHeight; ++i) all.push_back(GetPixel(dc, i % kWidth, i / kWidth));
        return all;
    }
    // The colours inside `r`, or on its outline only.
    std::set<COLORREF> Set(const RECT& r, bool frame = false) const {
        std::set<COLORREF> found;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (!frame || y == r.top || y == r.bottom - 1 || x == r.left || x == r.right - 1)
                    found.insert(GetPixel(dc, x, y));
        return found;
    }
};

void Draw(Canvas& canvas, const CWallpaperEntry* entry, UINT action, UINT state) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.itemID = entry ? 0 : static_cast<UINT>(-1);  // -1: the empty list's focus item
    item.itemAction = action;
    item.itemState = state;
    item.hDC = canvas.dc;
    item.rcItem = kItem;
    item.itemData = reinterpret_cast<ULONG_PTR>(entry);
    CWallpaperListBox().DrawItem(item);
}

std::vector<COLORREF> Expected(const std::string& text, COLORREF colour, UINT format) {
    Canvas canvas;
    SetTextColor(canvas.dc, colour);
    RECT rect = kItem;
    DrawTextA(canvas.dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    return canvas.Pixels();
}

TEST(WallpaperListBoxDraw, EachRatingHasItsColourAndSuffixAndAnAmpersandStays) {
    const struct {
        const char* path;
        int32_t rating;
        COLORREF colour;
        const char* suffix;
    } looks[] = {
        {"C:\\Images\\plage.bmp", 1, 0x000096, " [1]"}, {"C:\\Images\\plage.bmp", 2, 0x960096, " [2]"},
        {"C:\\Images\\plage.bmp", 3, 0x960000, " [3]"}, {"C:\\Images\\plage.bmp", 4, 0x969600, " [4]"},
        {"C:\\Images\\plage.bmp", 5, 0x009600, " [5]"},
        // Only a list file can hold these: they look like a 3.
        {"C:\\Images\\plage.bmp", 0, 0x960000, " [3]"}, {"C:\\Images\\plage.bmp", 6, 0x960000, " [3]"},
        {"C:\\Images\\plage.bmp", -1, 0x960000, " [3]"}, {"C:\\Tom & Jerry\\a&b.bmp", 3, 0x960000, " [3]"},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(std::string(look.path) + " " + std::to_string(look.rating));
        const CWallpaperEntry entry("bmp", look.path, look.rating);
        Canvas canvas;
        Draw(canvas, &entry, ODA_DRAWENTIRE, 0);
        EXPECT_EQ(canvas.Set(kItem), (std::set<COLORREF>{kWhite, look.colour}));
        const std::string text = look.path + std::string(look.suffix);
        EXPECT_EQ(canvas.Pixels(), Expected(text, look.colour, DT_NOPREFIX));
        if (text.find('&') != std::string::npos) {  // the check can tell "&" from an underline
            EXPECT_NE(canvas.Pixels(), Expected(text, look.colour, 0));
        }
    }
}

TEST(WallpaperListBoxDraw, SelectionIsABlackFrameWipedInTheBackColourAndFocusDrawsNothing) {
    const CWallpaperEntry entry("bmp", "C:\\a.bmp", 4);
    Canvas canvas;
    const auto blank = canvas.Pixels();
    Draw(canvas, &entry, ODA_FOCUS, ODS_FOCUS);
    Draw(canvas, &entry, ODA_FOCUS, ODS_FOCUS | ODS_SELECTED);
    Draw(canvas, nullptr, ODA_FOCUS | ODA_DRAWENTIRE, ODS_FOCUS);
    EXPECT_EQ(canvas.Pixels(), blank);

    Draw(canvas, &entry, ODA_DRAWENTIRE, ODS_SELECTED);
    const RECT inner{kItem.left + 1, kItem.top + 1, kItem.right - 1, kItem.bottom - 1};
    EXPECT_EQ(canvas.Set(kItem, true), std::set<COLORREF>{kBlack});
    EXPECT_TRUE(canvas.Set(inner).count(0x969600)) << "the text stays in its colour";
    EXPECT_FALSE(canvas.Set(inner).count(kBlack)) << "no fill";

    const COLORREF back = RGB(200, 210, 220);
    SetBkColor(canvas.dc, back);
    Draw(canvas, &entry, ODA_SELECT, 0);
    EXPECT_EQ(canvas.Set(kItem, true), std::set<COLORREF>{back});
    Draw(canvas, &entry, ODA_SELECT, ODS_SELECTED);  // the frame only
    EXPECT_EQ(canvas.Set(kItem, true), std::set<COLORREF>{kBlack});
}

TEST(WallpaperListBoxCompare, PathIgnoringCaseThenRatingAsMinusOneZeroOrOne) {
    auto compare = [](const char* p1, int32_t r1, const char* p2, int32_t r2) {
        const CWallpaperEntry e1("bmp", p1, r1), e2("BMP", p2, r2);
        COMPAREITEMSTRUCT items{};
        items.CtlType = ODT_LISTBOX;
        items.itemData1 = reinterpret_cast<ULONG_PTR>(&e1);
        items.itemData2 = reinterpret_cast<ULONG_PTR>(&e2);
        return CWallpaperListBox().CompareItem(items);
    };
    EXPECT_EQ(compare("C:\\a.bmp", 4, "c:\\A.BMP", 2), 1);
    EXPECT_EQ(compare("c:\\A.BMP", 2, "C:\\a.bmp", 4), -1);
    EXPECT_EQ(compare("C:\\a.bmp", 4, "C:\\A.bmp", 4), 0);
    // "B" is below "a" byte-wise; far apart paths still give -1 or 1.
    EXPECT_EQ(compare("C:\\apple.bmp", 5, "C:\\Banana.bmp", 1), -1);
    EXPECT_EQ(compare("C:\\Banana.bmp", 1, "C:\\apple.bmp", 5), 1);
    EXPECT_EQ(compare("A", 1, "Z", 1), -1);
    EXPECT_EQ(compare("", 1, "Z", 1), -1);
}

}  // namespace
