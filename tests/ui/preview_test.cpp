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

using listbytes::Header, listbytes::Record;
constexpr UINT kWidth = 64, kHeight = 48;

// A 24-bit bitmap of one colour, spelled out: file header, info header, bottom-up rows.
void WriteBmp(const std::string& path, COLORREF colour) {
    const uint32_t row = kWidth * 3, size = 54 + row * kHeight;
    std::string bytes = "BM" + listbytes::Le32(size) + listbytes::Le32(0) + listbytes::Le32(54) +
                        listbytes::Le32(40) + listbytes::Le32(kWidth) + listbytes::Le32(kHeight) +
                        std::string("\1\0\x18\0", 4) + std::string(24, '\0');
    for (UINT i = 0; i < kWidth * kHeight; ++i)
        bytes += {char(GetBValue(colour)), char(GetGValue(colour)), char(GetRValue(colour))};
    std::ofstream(path, std::ios::binary) << bytes;
}

// The same picture in a container that WIC encodes.
void Encode(const std::wstring& path, REFGUID container, COLORREF colour) {
    const win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    win::ComPtr<IWICStream> stream;
    win::ComPtr<IWICBitmapEncoder> encoder;
    win::ComPtr<IWICBitmapFrameEncode> frame;
    std::vector<BYTE> pixels;
    for (UINT i = 0; i < kWidth * kHeight; ++i)
        pixels.insert(pixels.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    ASSERT_TRUE(
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(factory.Put()))) &&
        SUCCEEDED(factory->CreateStream(stream.Put())) &&
        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, encoder.Put())) &&
        SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(frame.Put(), nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(kWidth, kHeight)) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) &&
        SUCCEEDED(frame->WritePixels(kHeight, kWidth * 3, UINT(pixels.size()), pixels.data())) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()));
}

int Width(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r.right - r.left;
}

std::string Text(HWND w) {
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
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
    WriteBmp(bmp, RGB(200, 30, 40));
    Encode(std::wstring(png.begin(), png.end()), GUID_ContainerFormatPng, RGB(20, 160, 60));
    Encode(std::wstring(jpg.begin(), jpg.end()), GUID_ContainerFormatJpeg, RGB(40, 60, 200));
    std::ofstream(bad) << "not a picture";
    std::string bytes = Header(5, 15);
    for (const std::string& path : {bmp, png, jpg, gone, bad})
        bytes += Record(path, path.substr(path.size() - 3), 3);
    std::ofstream(list, std::ios::binary) << bytes;
    ASSERT_TRUE(SaveSettings({5, 0, 1, 1, "startup", false, list, 0, -1}));
    reg::Put(reg::kDesktop, "Wallpaper", reg::Sz(""));

    CWallpaperApp app;
    DialogDriver driver([&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda"), listBox = GetDlgItem(main, IDC_WALLPAPER_LIST);
        const int narrow = Width(main);
        EXPECT_EQ(GetDlgItem(main, IDC_PREVIEW_PANE), nullptr);
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_PREVIEW, 0);
        const HWND pane = GetDlgItem(main, IDC_PREVIEW_PANE);
        RECT wide{0, 0, 160, 0};
        MapDialogRect(main, &wide);
        EXPECT_EQ(Width(main), narrow + wide.right);
        // The caption once the pane has drawn the picture.
        const auto show = [&](int index) {
            SendMessageA(listBox, LB_SETCURSEL, index, 0);
            SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_WALLPAPER_LIST, LBN_SELCHANGE), 0);
            d.Until([&] { return !Text(pane).empty(); }, "a caption");
            return Text(pane);
        };
        // Sorted by path: a, b, c, d, e. Each picture whole, at its own size.
        const COLORREF colours[] = {RGB(200, 30, 40), RGB(20, 160, 60), RGB(40, 60, 200)};
        for (int index : {0, 1, 2}) {
            EXPECT_EQ(show(index).substr(0, 10), "64 × 48 – ") << index;
            EXPECT_EQ(ColumnOf(pane, colours[index]), int(kHeight)) << index;
        }
        EXPECT_EQ(show(0), "64 × 48 – 9,1 Ko");
        EXPECT_EQ(show(3), "Image introuvable");
        EXPECT_EQ(show(4), "Format non reconnu");
        // The PNG is refused while only bitmaps are applied; the bitmap goes up.
        show(1);
        d.Post(main, ID_WALLPAPER_APPLY);
        d.Answer(IDOK);
        // Shift+F10 on the list: its menu, answered with the access key of "Mettre en fond d'écran".
        SendMessageA(listBox, LB_SETCURSEL, 0, 0);
        PostMessageA(main, WM_CONTEXTMENU, WPARAM(listBox), -1);
        HWND menu = nullptr;
        d.Until([&] { return IsWindowVisible(menu = FindWindowA("#32768", nullptr)); }, "menu");
        PostMessageA(menu, WM_CHAR, 'm', 0);
        d.Until([&] { return reg::Get(reg::kDesktop, "Wallpaper") == reg::Sz(bmp); }, "put up");
        // Off and on again: the window narrows and widens by the pane.
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_PREVIEW, 0);
        EXPECT_EQ(std::pair(Width(main), IsWindowVisible(pane)), std::pair(narrow, FALSE));
        SendMessageA(main, WM_COMMAND, ID_WALLPAPER_PREVIEW, 0);
        d.Post(main, ID_FILE_QUIT);
    });
    app.InitInstance();
    driver.Finish();
    const Seen refused{"Velunda",
                       "Les images JPEG et PNG ne deviennent le fond d'écran qu'avec « "
                       "Appliquer aussi les images JPEG et PNG » (Préférences, "
                       "Affichage...)."};
    EXPECT_EQ(driver.seen, std::vector<Seen>{refused});
    // The pane's state and the restarted count are stored; off again, the value goes.
    EXPECT_EQ(std::pair(reg::Get(reg::kVelunda, "Preview"), reg::Get(reg::kVelunda, "LastStartup")),
              std::pair(reg::Dw(1), reg::Dw(0)));
    CWallpaperApp again;
    DialogDriver off([&](DialogDriver& d) {
        const HWND main = d.Wait("Velunda");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(main, IDC_PREVIEW_PANE)));
        d.Post(main, ID_WALLPAPER_PREVIEW);
        d.Post(main, ID_FILE_QUIT);
    });
    again.InitInstance();
    off.Finish();
    EXPECT_EQ(reg::Get(reg::kVelunda, "Preview"), reg::Raw{});
}

}  // namespace
