#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/picture_decoder_win.h"

// The main window's preview: the selected picture, whole and fitted, with its
// pixel size and file size beneath, or a short text when it cannot be shown.
// A child window of its own class. Its window text is the caption once the
// newest picture is drawn, and empty while it is decoded.
class CPreviewPane {
public:
    CPreviewPane() = default;
    CPreviewPane(const CPreviewPane&) = delete;
    CPreviewPane& operator=(const CPreviewPane&) = delete;
    ~CPreviewPane();

    // The hidden child `id` of `parent`.
    void Create(HWND parent, int id);
    HWND hwnd() const { return hwnd_; }
    // The picture to show; empty for none.
    void Show(const std::wstring& path);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    // Asks the worker for the path at the picture area's size.
    void Decode();
    // The newest picture is ready: draw it, then name it.
    void OnDecoded();
    void OnPaint();
    void OnSize();
    // The rectangle above the caption, in pixels, and its size.
    RECT PictureArea() const;
    PixelSize BoxSize() const;
    // Pixels at 96 DPI, at the window's DPI.
    int Scaled(int pixels) const;
    HFONT Font() const;

    HWND hwnd_ = nullptr;
    std::wstring path_;
    PixelSize box_;
    DecodedPicture picture_;
    bool drawn_ = false;  // picture_ belongs to path_
    std::wstring caption_;
    std::unique_ptr<PictureDecoder> decoder_;  // made when the first picture is asked for
};
