// The preview pane and the list's own commands, through the real window under Wine.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/wallpaper_app.h"
#include "res/resource.h"
#include "support/dialog_driver.h"
#include "support/registry.h"
#include "win/handles.h"

namespace {

constexpr UINT kWidth = 64, kHeight = 48;

// A picture of one colour encoded by WIC: 24-bit, or 32-bit with `alpha`.
void Encode(const std::string& path, REFGUID container, COLORREF colour, BYTE alpha = 255) {
    const win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    win::ComPtr<IWICStream> stream;
    win::ComPtr<IWICBitmapEncoder> encoder;
    win::ComPtr<IWICBitmapFrameEncode> frame;
    const UINT bytes = alpha == 255 ? 3 : 4;
    const BYTE pixel[] = {GetBValue(colour), GetGValue(colour), GetRValue(colour), alpha};
    std::vector<BYTE> pixels(kWidth * kHeight * bytes);
    for (size_t i = 0; i < pixels.size(); i += bytes) std::copy_n(pixel, bytes, &pixels[i]);
    const GUID wanted = bytes == 3 ? GUID_WICPixelFormat24bppBGR : GUID_WICPixelFormat32bppBGRA;
    WICPixelFormatGUID format = wanted;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS(factory.Put()))) &&
                SUCCEEDED(factory->CreateStream(stream.Put())) &&
                SUCCEEDED(stream->InitializeFromFilename(reg::Wide(path).c_str(), GENERIC_WRITE)) &&
                SUCCEEDED(factory->CreateEncoder(container, nullptr, encoder.Put())) &&
                SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
                SUCCEEDED(encoder->CreateNewFrame(frame.Put(), nullptr)) &&
                SUCCEEDED(frame->Initialize(nullptr)) &&
                SUCCEEDED(frame->SetSize(kWidth, kHeight)) &&
                SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, wanted) &&
                SUCCEEDED(frame->WritePixels(kHeight, kWidth * bytes, UINT(pixels.size()),
                                             pixels.data())) &&
                SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()));
}

int Width(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r.right - r.left;
}

std::wstring Text(HWND w) {
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    return text;
}

// How many pixels of the pane's middle column are `colour`, give or take what JPEG changes.
int ColumnOf(HWND pane, COLORREF colour) {
    RECT client{};
    GetClientRect(pane, &client);
    const HDC dc = GetDC(pane);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y) {
        const COLORREF c = GetPixel(dc, client.right / 2, y);
        count += abs(GetRValue(c) - GetRValue(colour)) + abs(GetGValue(c) - GetGValue(colour)) +
                     abs(GetBValue(c) - GetBValue(colour)) <
                 12;
    }
    ReleaseDC(pane, dc);
    return count;
}

TEST(Preview, ThePaneShowsEachPictureAndTheListPutsOneUp) {
    reg::DeleteSettings();
    const std::string dir = (std::filesystem::temp_directory_path() / "velunda-preview").string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string bmp = dir + "\\a.bmp", png = dir + "\\b.png", jpg = dir + "\\c.jpg",
                      gone = dir + "\\d.bmp", bad = dir + "\\e.png", list = dir + "\\list.vdl";
    // The PNG half transparent: it shows on the pane's own colour.
    const COLORREF back = GetSysColor(COLOR_3DFACE);
    const auto half = [](int c, int b) { return (c * 128 + b * 127) / 255; };
    const COLORREF colours[] = {
        RGB(200, 30, 40),
        RGB(half(20, GetRValue(back)), half(160, GetGValue(back)), half(60, GetBValue(back))),
        RGB(40, 60, 200)};
    Encode(bmp, GUID_ContainerFormatBmp, colours[0]);
    Encode(png, GUID_ContainerFormatPng, RGB(20, 160, 60), 128);
    Encode(jpg, GUID_ContainerFormatJpeg, colours[2]);
    std::ofstream(bad) << "not a picture";
    std::string bytes = listbytes::Header(5, 15);
    for (const std::string& path : {bmp, png, jpg, gone, bad})
        bytes += listbytes::Record(path, path.substr(path.size() - 3), 3);
    std::ofstream(list, std::ios::binary) << bytes;
    ASSERT_TRUE(SaveSettings({5, 0, 1, 1, L"startup", false, reg::Wide(list), 0, -1}));
    reg::Put(reg::kDesktop, L"Wallpaper", reg::Sz(L""));

    CWallpaperApp app;
    int closed = 0;  // the window's width as it was left, the pane on
    DialogDriver driver([&](DialogDriver& d) {
        const HWND main = d.Wait(L"Velunda"), listBox = GetDlgItem(main, IDC_WALLPAPER_LIST);
        const int narrow = Width(main);
        EXPECT_EQ(GetDlgItem(main, IDC_PREVIEW_PANE), nullptr);
        SendMessageW(main, WM_COMMAND, ID_WALLPAPER_PREVIEW, 0);
        const HWND pane = GetDlgItem(main, IDC_PREVIEW_PANE);
        RECT wide{0, 0, 160, 0};
        MapDialogRect(main, &wide);
        EXPECT_EQ(Width(main), narrow + wide.right);
        // The caption once the pane has drawn the picture.
        const auto show = [&](int index) {
            SendMessageW(listBox, LB_SETCURSEL, index, 0);
            SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_SELCHANGE), 0);
            d.Until([&] { return !Text(pane).empty(); }, L"a caption");
            return Text(pane);
        };
        // Sorted by path: a, b, c, d, e. Each picture whole, at its own size.
        for (int index : {0, 1, 2}) {
            EXPECT_EQ(show(index).substr(0, 10), L"64 × 48 – ") << index;
            EXPECT_EQ(ColumnOf(pane, colours[index]), int(kHeight)) << index;
        }
        // The JPEG still being read when the bitmap is selected: the bitmap wins.
        SendMessageW(listBox, LB_SETCURSEL, 2, 0);
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_SELCHANGE), 0);
        EXPECT_EQ(std::tuple(show(0), show(3), show(4)),
                  std::tuple(L"64 × 48 – 9,1 Ko", L"Image introuvable", L"Format non reconnu"));
        // The PNG is refused while only bitmaps are applied; the bitmap goes up.
        show(1);
        d.Post(main, ID_WALLPAPER_APPLY);
        d.Answer(IDOK);
        // Shift+F10 on the list: its menu, answered with the access key of "Mettre en fond d'écran".
        SendMessageW(listBox, LB_SETCURSEL, 0, 0);
        PostMessageW(main, WM_CONTEXTMENU, WPARAM(listBox), -1);
        HWND menu = nullptr;
        d.Until([&] { return IsWindowVisible(menu = FindWindowW(L"#32768", nullptr)); }, L"menu");
        PostMessageW(menu, WM_CHAR, L'm', 0);
        d.Until([&] { return reg::Get(reg::kDesktop, L"Wallpaper") == reg::Sz(reg::Wide(bmp)); },
                L"put up");
        // Off and on again: the window narrows and widens by the pane.
        SendMessageW(main, WM_COMMAND, ID_WALLPAPER_PREVIEW, 0);
        EXPECT_EQ(std::pair(Width(main), IsWindowVisible(pane)), std::pair(narrow, FALSE));
        SendMessageW(main, WM_COMMAND, ID_WALLPAPER_PREVIEW, 0);
        closed = Width(main);
        d.Post(main, ID_FILE_QUIT);
    });
    app.InitInstance();
    driver.Finish();
    EXPECT_EQ(driver.seen, (std::vector<Seen>{{L"Velunda",
                                               L"Les images JPEG et PNG ne deviennent le fond "
                                               L"d'écran qu'avec « Appliquer aussi les images JPEG "
                                               L"et PNG » (Préférences, Affichage...)."}}));
    // The pane's state and the restarted count are stored; off again, the value goes.
    EXPECT_EQ(
        std::pair(reg::Get(reg::kVelunda, L"Preview"), reg::Get(reg::kVelunda, L"LastStartup")),
        std::pair(reg::Dw(1), reg::Dw(0)));
    CWallpaperApp again;
    DialogDriver off([&](DialogDriver& d) {
        const HWND main = d.Wait(L"Velunda");
        // As it was left: the stored placement holds the pane already.
        EXPECT_EQ(std::pair(IsWindowVisible(GetDlgItem(main, IDC_PREVIEW_PANE)), Width(main)),
                  std::pair(TRUE, closed));
        d.Post(main, ID_WALLPAPER_PREVIEW);
        d.Post(main, ID_FILE_QUIT);
    });
    again.InitInstance();
    off.Finish();
    EXPECT_EQ(reg::Get(reg::kVelunda, L"Preview"), reg::Raw{});
}

}  // namespace
