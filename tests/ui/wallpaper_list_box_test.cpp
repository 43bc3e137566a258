// Drawing into a memory bitmap and reading its pixels; comparing entries.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "list/wallpaper_entry.h"
#include "ui/wallpaper_list_box.h"
#include "win/handles.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 24;
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The item's line inside the bitmap, with a margin all round.
constexpr RECT kItem{4, 4, 300, 20};

// A 32-bit top-down bitmap selected into a memory DC, white, with white as
// the DC's back colour (as a list box has it).
class Canvas {
public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkColor(dc_, kWhite);
        // Plain pixels: every one of the text is in the text colour exactly.
        font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                            DEFAULT_PITCH, "MS Sans Serif");
        oldFont_ = SelectObject(dc_, font_);
    }
    ~Canvas() {
        SelectObject(dc_, oldFont_);
        DeleteObject(font_);
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits_[y * kWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> all;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) all.push_back(At(x, y));
        return all;
    }
    std::set<COLORREF> Colours(const RECT& r) const {
        std::set<COLORREF> found;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) found.insert(At(x, y));
        return found;
    }
    std::set<COLORREF> FrameColours(const RECT& r) const {
        std::set<COLORREF> found;
        for (int x = r.left; x < r.right; ++x) found.insert(At(x, r.top)), found.insert(At(x, r.bottom - 1));
        for (int y = r.top; y < r.bottom; ++y) found.insert(At(r.left, y)), found.insert(At(r.right - 1, y));
        return found;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    HFONT font_;
    HGDIOBJ oldFont_;
    uint32_t* bits_ = nullptr;
};

void Draw(Canvas& canvas, const CWallpaperEntry& entry, UINT action, UINT state, RECT rect = kItem) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.itemID = 0;
    item.itemAction = action;
    item.itemState = state;
    item.hDC = canvas.dc();
    item.rcItem = rect;
    item.itemData = reinterpret_cast<ULONG_PTR>(&entry);
    CWallpaperListBox().DrawItem(item);
}

// What the line must look like: this text in this colour, "&" shown as is.
std::vector<COLORREF> Expected(const std::string& text, COLORREF colour, UINT format = DT_NOPREFIX) {
    Canvas canvas;
    SetTextColor(canvas.dc(), colour);
    RECT rect = kItem;
    DrawTextA(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    return canvas.Pixels();
}

struct Look {
    int32_t rating;
    COLORREF colour;
    const char* suffix;
};

TEST(WallpaperListBoxDraw, EachRatingHasItsColourAndSuffix) {
    const Look looks[] = {
        {1, 0x000096, " [1]"}, {2, 0x960096, " [2]"}, {3, 0x960000, " [3]"},
        {4, 0x969600, " [4]"}, {5, 0x009600, " [5]"},
        // Only a list file can hold these: they look like a 3.
        {0, 0x960000, " [3]"}, {6, 0x960000, " [3]"}, {-1, 0x960000, " [3]"},
    };
    for (const Look& look : looks) {
        SCOPED_TRACE(look.rating);
        const CWallpaperEntry entry("bmp", "C:\\Images\\plage.bmp", look.rating);
        Canvas canvas;
        Draw(canvas, entry, ODA_DRAWENTIRE, 0);
        EXPECT_EQ(canvas.Colours(kItem), (std::set<COLORREF>{kWhite, look.colour}));
        EXPECT_EQ(canvas.Pixels(), Expected(std::string("C:\\Images\\plage.bmp") + look.suffix, look.colour));
    }
}

TEST(WallpaperListBoxDraw, AnAmpersandIsShownAsItIs) {
    const CWallpaperEntry entry("bmp", "C:\\Tom & Jerry\\a&b.bmp", 3);
    Canvas canvas;
    Draw(canvas, entry, ODA_DRAWENTIRE, 0);
    const std::string text = "C:\\Tom & Jerry\\a&b.bmp [3]";
    EXPECT_EQ(canvas.Pixels(), Expected(text, 0x960000));
    EXPECT_NE(canvas.Pixels(), Expected(text, 0x960000, 0)) << "the check can tell them apart";
}

TEST(WallpaperListBoxDraw, ALongPathIsCutAtTheLinesEdge) {
    const CWallpaperEntry entry("bmp", "C:\\" + std::string(200, 'W') + ".bmp", 5);
    Canvas canvas;
    Draw(canvas, entry, ODA_DRAWENTIRE, 0);
    const std::set<COLORREF> white{kWhite};
    EXPECT_EQ(canvas.Colours({kItem.right, 0, kWidth, kHeight}), white);
    EXPECT_EQ(canvas.Colours({0, kItem.bottom, kWidth, kHeight}), white);
    EXPECT_TRUE(canvas.Colours({kItem.right - 10, kItem.top, kItem.right, kItem.bottom}).count(0x009600));
}

TEST(WallpaperListBoxDraw, SelectionIsABlackFrameWipedInTheBackColour) {
    const CWallpaperEntry entry("bmp", "C:\\a.bmp", 4);
    const RECT inner{kItem.left + 1, kItem.top + 1, kItem.right - 1, kItem.bottom - 1};
    Canvas canvas;
    Draw(canvas, entry, ODA_DRAWENTIRE, ODS_SELECTED);
    EXPECT_EQ(canvas.FrameColours(kItem), std::set<COLORREF>{RGB(0, 0, 0)});
    EXPECT_TRUE(canvas.Colours(inner).count(0x969600)) << "the text stays in its colour";
    EXPECT_FALSE(canvas.Colours(inner).count(RGB(0, 0, 0))) << "no fill";

    // Deselected: the frame is drawn again in the DC's back colour.
    const COLORREF back = RGB(200, 210, 220);
    SetBkColor(canvas.dc(), back);
    Draw(canvas, entry, ODA_SELECT, 0);
    EXPECT_EQ(canvas.FrameColours(kItem), std::set<COLORREF>{back});

    // Selected again without a full redraw: the frame only.
    Draw(canvas, entry, ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(canvas.FrameColours(kItem), std::set<COLORREF>{RGB(0, 0, 0)});
}

TEST(WallpaperListBoxDraw, FocusAloneAndTheEmptyListsItemDrawNothing) {
    const CWallpaperEntry entry("bmp", "C:\\a.bmp", 4);
    Canvas canvas;
    const auto blank = canvas.Pixels();
    Draw(canvas, entry, ODA_FOCUS, ODS_FOCUS);
    Draw(canvas, entry, ODA_FOCUS, ODS_FOCUS | ODS_SELECTED);
    EXPECT_EQ(canvas.Pixels(), blank);

    DRAWITEMSTRUCT empty{};
    empty.CtlType = ODT_LISTBOX;
    empty.itemID = static_cast<UINT>(-1);
    empty.itemAction = ODA_FOCUS | ODA_DRAWENTIRE;
    empty.itemState = ODS_FOCUS;
    empty.hDC = canvas.dc();
    empty.rcItem = kItem;
    CWallpaperListBox().DrawItem(empty);
    EXPECT_EQ(canvas.Pixels(), blank);
}

int Compare(const CWallpaperEntry& e1, const CWallpaperEntry& e2) {
    COMPAREITEMSTRUCT items{};
    items.CtlType = ODT_LISTBOX;
    items.itemData1 = reinterpret_cast<ULONG_PTR>(&e1);
    items.itemData2 = reinterpret_cast<ULONG_PTR>(&e2);
    return CWallpaperListBox().CompareItem(items);
}

TEST(WallpaperListBoxCompare, PathIgnoringCaseThenRating) {
    const CWallpaperEntry a4("bmp", "C:\\a.bmp", 4);
    const CWallpaperEntry A2("BMP", "c:\\A.BMP", 2);
    EXPECT_EQ(Compare(a4, A2), 1);
    EXPECT_EQ(Compare(A2, a4), -1);
    EXPECT_EQ(Compare(a4, CWallpaperEntry("", "C:\\A.bmp", 4)), 0);

    // Letters of either case sort together ("B" is below "a" byte-wise).
    const CWallpaperEntry a("bmp", "C:\\apple.bmp", 5);
    const CWallpaperEntry B("bmp", "C:\\Banana.bmp", 1);
    EXPECT_EQ(Compare(a, B), -1);
    EXPECT_EQ(Compare(B, a), 1);
    // Far apart paths still give -1 or 1, not a distance.
    EXPECT_EQ(Compare(CWallpaperEntry("", "A", 1), CWallpaperEntry("", "Z", 1)), -1);
    EXPECT_EQ(Compare(CWallpaperEntry("", "", 1), CWallpaperEntry("", "Z", 1)), -1);
}

}  // namespace
