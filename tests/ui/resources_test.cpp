// The executable's resources, as the program's code and Windows find them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/wallpaper_app.h"
#include "res/resource.h"
#include "ui/main_dlg.h"
#include "window_driver.h"

namespace {

const WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);  // 0x040C

bool HasResource(LPCSTR type, LPCSTR name, WORD language) {
    return FindResourceExA(GetModuleHandleA(nullptr), type, name, language) != nullptr;
}

TEST(Resources, AreFrenchWithTheManifestBeside) {
    EXPECT_EQ(kFrench, 0x040C);
    EXPECT_TRUE(HasResource(RT_DIALOG, MAKEINTRESOURCEA(102), kFrench));
    EXPECT_TRUE(HasResource(RT_MENU, MAKEINTRESOURCEA(130), kFrench));
    EXPECT_TRUE(HasResource(RT_GROUP_ICON, MAKEINTRESOURCEA(128), kFrench));
    // String 101 lives in block 101 / 16 + 1.
    EXPECT_TRUE(HasResource(RT_STRING, MAKEINTRESOURCEA(101 / 16 + 1), kFrench));
    EXPECT_TRUE(HasResource(RT_MANIFEST, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));

    char text[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), 101, text, sizeof text);
    EXPECT_STREQ(text, "&A propos de Velunda...");
}

TEST(Resources, IconHas16And32PixelImagesIn24Bits) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                         MAKEINTRESOURCEA(128), IMAGE_ICON,
                                                         size, size, LR_SHARED));
        ASSERT_NE(icon, nullptr);
        const HRSRC group = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128), RT_GROUP_ICON);
        const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
        ASSERT_NE(dir, nullptr);
        // The icon directory: 6 bytes, then 14-byte entries (width, height, ..., bit count at 6).
        const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(dir), TRUE, size, size, 0);
        const HRSRC image = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), RT_ICON);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask
        EXPECT_EQ(header->biBitCount, 24);
    }
}

struct Item {
    std::string label;
    UINT id;
    bool operator==(const Item&) const = default;
};

std::vector<Item> Items(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char label[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE | MIIM_STATE;
        info.dwTypeData = label;
        info.cch = sizeof label;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        // Never greyed, never ticked (separators are reported greyed).
        if (!(info.fType & MFT_SEPARATOR)) {
            EXPECT_EQ(info.fState & (MFS_GRAYED | MFS_CHECKED), 0u) << label;
        }
        items.push_back({info.fType & MFT_SEPARATOR ? "-" : label, info.fType & MFT_SEPARATOR ? 0 : info.wID});
    }
    return items;
}

std::ostream& operator<<(std::ostream& out, const Item& item) { return out << item.label << ' ' << item.id; }

TEST(Resources, MenuHasEveryLabelAndId) {
    const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(130));
    ASSERT_NE(menu, nullptr);
    const std::vector<Item> bar = {{"&Fichier", 0}, {"Fond d'&Ecran", 0}, {"&Préférences", 0}, {"&Aide", 0}};
    std::vector<Item> top;
    for (const Item& i : Items(menu)) top.push_back({i.label, 0});
    EXPECT_EQ(top, bar);
    EXPECT_EQ(Items(GetSubMenu(menu, 0)),
              (std::vector<Item>{{"&Nouvelle liste", 1011}, {"&Sauver la liste de démarrage", 32772},
                                 {"-", 0}, {"&Quitter", 1008}}));
    EXPECT_EQ(Items(GetSubMenu(menu, 1)),
              (std::vector<Item>{{"&Ajouter...", 1005}, {"&Supprimer", 1006}, {"-", 0},
                                 {"&Modifier Notation...", 32776}, {"-", 0},
                                 {"&Ouvrir une liste...", 32774}, {"&Enregistrer une liste...", 1010}}));
    EXPECT_EQ(Items(GetSubMenu(menu, 2)),
              (std::vector<Item>{{"&Général...", 32773}, {"&Mise à jour...", 32775}}));
    EXPECT_EQ(Items(GetSubMenu(menu, 3)), (std::vector<Item>{{"A&ide", 32777}, {"&A propos...", 16}}));
    DestroyMenu(menu);
}

TEST(Resources, MainWindowAndListBoxHaveTheirStyles) {
    CWallpaperApp app;
    CMainDlg dlg(app);
    WindowDriver driver;
    LONG_PTR style = 0, exStyle = 0, listStyle = 0;
    std::string caption;
    RunModal(dlg, driver, [&](HWND hwnd) {
        style = GetWindowLongPtrA(hwnd, GWL_STYLE);
        exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
        listStyle = GetWindowLongPtrA(GetDlgItem(hwnd, IDC_WALLPAPER_LIST), GWL_STYLE);
        char text[32] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        caption = text;
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(caption, "Velunda");
    const LONG_PTR wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    // (The control takes WS_BORDER off its style and draws the border itself.)
    const LONG_PTR list = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                          LBS_SORT | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL;
    EXPECT_EQ(listStyle & list, list);
    EXPECT_EQ(listStyle & LBS_HASSTRINGS, 0);
}

}  // namespace
