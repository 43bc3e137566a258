#include "ui/preview_pane.h"

#include <algorithm>

#include "ui/picture_caption.h"

namespace {

const wchar_t kClassName[] = L"VelundaPreview";
constexpr UINT kDecoded = WM_APP + 1;

void RegisterOnce(WNDPROC proc) {
    static const ATOM atom = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
}

std::wstring CaptionOf(const DecodedPicture& p) {
    switch (p.outcome) {
    case DecodedPicture::Outcome::Shown:
        return PictureCaption(p.size.width, p.size.height, p.fileBytes);
    case DecodedPicture::Outcome::Missing: return L"Image introuvable";
    case DecodedPicture::Outcome::Unreadable: break;
    }
    return L"Format non reconnu";
}

}  // namespace

CPreviewPane::~CPreviewPane() {
    // The worker goes first: it may be posting to the window.
    decoder_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
}

void CPreviewPane::Create(HWND parent, int id) {
    RegisterOnce(&WindowProc);
    CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                    this);
}

LRESULT CALLBACK CPreviewPane::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* pane =
            static_cast<CPreviewPane*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        pane->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pane));
    }
    auto* pane = reinterpret_cast<CPreviewPane*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!pane) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        pane->decoder_.reset();
        pane->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return pane->Handle(msg, wp, lp);
}

LRESULT CPreviewPane::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kDecoded: OnDecoded(); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills every pixel
    case WM_SIZE: OnSize(); return 0;
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

void CPreviewPane::Show(const std::wstring& path) {
    path_ = path;
    drawn_ = false;
    caption_.clear();
    SetWindowTextW(hwnd_, L"");
    InvalidateRect(hwnd_, nullptr, FALSE);
    if (!path_.empty()) Decode();
}

void CPreviewPane::Decode() {
    box_ = BoxSize();
    if (!decoder_) decoder_ = std::make_unique<PictureDecoder>(hwnd_, kDecoded);
    decoder_->Request(path_, box_, GetSysColor(COLOR_3DFACE));
}

void CPreviewPane::OnDecoded() {
    auto picture = decoder_ ? decoder_->Take() : std::nullopt;
    if (!picture) return;
    picture_ = std::move(*picture);
    drawn_ = true;
    caption_ = CaptionOf(picture_);
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
    SetWindowTextW(hwnd_, caption_.c_str());
}

void CPreviewPane::OnSize() {
    if (path_.empty() || BoxSize() == box_) return;
    // The picture at the new size; the caption stays, as it names the same file.
    drawn_ = false;
    Decode();
}

HFONT CPreviewPane::Font() const {
    return reinterpret_cast<HFONT>(SendMessageW(GetParent(hwnd_), WM_GETFONT, 0, 0));
}

int CPreviewPane::Scaled(int pixels) const {
    const HDC dc = GetDC(hwnd_);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(hwnd_, dc);
    return MulDiv(pixels, dpi, 96);
}

RECT CPreviewPane::PictureArea() const {
    const HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    RECT client{};
    GetClientRect(hwnd_, &client);
    // A margin all round, and beneath the picture a line of text with its own.
    const int margin = Scaled(4);
    RECT area{client.left + margin, client.top + margin, client.right - margin,
              client.bottom - metrics.tmHeight - 2 * margin};
    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);
    return area;
}

PixelSize CPreviewPane::BoxSize() const {
    const RECT area = PictureArea();
    return {static_cast<uint32_t>(area.right - area.left),
            static_cast<uint32_t>(area.bottom - area.top)};
}

void CPreviewPane::OnPaint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    const RECT area = PictureArea();
    if (drawn_ && !picture_.pixels.empty()) {
        const PixelSize shown = picture_.shown;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = static_cast<LONG>(shown.width);
        info.bmiHeader.biHeight = -static_cast<LONG>(shown.height);  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        const int x = area.left + (area.right - area.left - static_cast<int>(shown.width)) / 2;
        const int y = area.top + (area.bottom - area.top - static_cast<int>(shown.height)) / 2;
        SetDIBitsToDevice(dc, x, y, shown.width, shown.height, 0, 0, 0, shown.height,
                          picture_.pixels.data(), &info, DIB_RGB_COLORS);
    }
    RECT text{client.left, area.bottom, client.right, client.bottom};
    const HGDIOBJ old = SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    EndPaint(hwnd_, &ps);
}
