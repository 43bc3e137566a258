#include "ui/wallpaper_list_box.h"

#include <mbstring.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/entry_path_win.h"
#include "list/wallpaper_entry.h"
#include "list/wallpaper_list.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace {

struct RatingLook {
    COLORREF colour;
    const wchar_t* suffix;
};

// Ratings outside 1..5 can come only from a list file: they look like a 3.
RatingLook LookOf(int32_t rating) {
    switch (rating) {
    case 1: return {RGB(150, 0, 0), L" [1]"};
    case 2: return {RGB(150, 0, 150), L" [2]"};
    case 4: return {RGB(0, 150, 150), L" [4]"};
    case 5: return {RGB(0, 150, 0), L" [5]"};
    default: return {RGB(0, 0, 150), L" [3]"};
    }
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
    const win::UniqueHBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

int Sign(int value) { return (value > 0) - (value < 0); }

int Compare(const CWallpaperEntry& e1, const CWallpaperEntry& e2) {
    const int byPath = _mbsicmp(reinterpret_cast<const unsigned char*>(e1.path.c_str()),
                                reinterpret_cast<const unsigned char*>(e2.path.c_str()));
    if (byPath != 0) return Sign(byPath);
    return Sign((e1.rating > e2.rating) - (e1.rating < e2.rating));
}

}  // namespace

void CWallpaperListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    // An empty list box asks only for its focus rectangle, which it doesn't get.
    if (item.itemID == static_cast<UINT>(-1)) return;
    const auto* entry = reinterpret_cast<const CWallpaperEntry*>(item.itemData);
    HDC dc = item.hDC;
    RECT rect = item.rcItem;

    if (item.itemAction & ODA_DRAWENTIRE) {
        const RatingLook look = LookOf(entry->rating);
        SetTextColor(dc, look.colour);
        // An entry whose bytes are no text in the code page shows its rating alone.
        const std::wstring text =
            EntryPathToWide(entry->path).value_or(std::wstring()) + look.suffix;
        // Inside the frame, which must not cross the text.
        InflateRect(&rect, -2 * margin_, -margin_);
        // DT_NOPREFIX: an "&" in a path is a character like any other.
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_NOPREFIX);
    }
    const bool selected = item.itemState & ODS_SELECTED;
    if (selected && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        Frame(dc, item.rcItem, RGB(0, 0, 0));
    if (!selected && (item.itemAction & ODA_SELECT)) Frame(dc, item.rcItem, GetBkColor(dc));
}

void CWallpaperListBox::Measure() {
    const win::WindowDc dc(hwnd);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc.dc(), font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.dc(), &metrics);
    SelectObject(dc.dc(), old);
    margin_ = MulDiv(1, static_cast<int>(win::WindowDpi(hwnd)), USER_DEFAULT_SCREEN_DPI);
    SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2 * margin_);
}

int CWallpaperListBox::CompareItem(const COMPAREITEMSTRUCT& items) {
    return Compare(*reinterpret_cast<const CWallpaperEntry*>(items.itemData1),
                   *reinterpret_cast<const CWallpaperEntry*>(items.itemData2));
}

// Adding an item asks the window for a dozen comparisons or more, and moves
// the items after its place. When no two entries compare equal, their order
// is known beforehand: sorted here, they are appended with no question and
// no move. Entries that compare equal are left to the list box, which alone
// knows where it puts an item among its equals.
void CWallpaperListBox::Fill(CWallpaperList& list) {
    std::vector<CWallpaperEntry*> sorted;
    sorted.reserve(static_cast<size_t>(list.GetCount()));
    for (CWallpaperEntry& entry : list) sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return Compare(*a, *b) < 0; });
    const bool ties = std::adjacent_find(sorted.begin(), sorted.end(), [](auto* a, auto* b) {
                          return Compare(*a, *b) == 0;
                      }) != sorted.end();

    const win::NoRedraw quiet(hwnd);
    Reserve(list.GetCount());
    if (ties) {
        for (CWallpaperEntry& entry : list) AddItem(&entry);
    } else {
        for (CWallpaperEntry* entry : sorted) AppendItem(entry);
    }
}
