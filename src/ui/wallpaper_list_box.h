#pragma once

#include <windows.h>

#include "win/list_box.h"

class CWallpaperEntry;
class CWallpaperList;

// The main window's sorted, owner-drawn list box. Item data: the address of
// a CWallpaperEntry of the application's list.
class CWallpaperListBox : public win::ListBox {
public:
    // One line: path and " [rating]" in the rating's colour, a black frame
    // while selected, no focus rectangle.
    void DrawItem(const DRAWITEMSTRUCT& item);
    // Path ignoring case (ANSI code page), then rating: -1, 0 or 1.
    int CompareItem(const COMPAREITEMSTRUCT& items);
    // Makes every line as tall as the text of the list box's font, at the
    // window's DPI, with a margin for the selection's frame. Again after a
    // change of DPI or font.
    void Measure();
    // Fills the empty list box with one item per entry, as adding them in
    // the list's order would.
    void Fill(CWallpaperList& list);

    CWallpaperEntry* GetEntry(int index) const {
        return static_cast<CWallpaperEntry*>(GetItemData(index));
    }

private:
    int margin_ = 0;  // between the text and the item's edges, in pixels
};
