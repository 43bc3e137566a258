#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/picture_shrink.h"
#include "win/handles.h"

// A picture read for the preview, already at the size it is shown at.
struct DecodedPicture {
    enum class Outcome { Shown, Missing, Unreadable };
    Outcome outcome = Outcome::Unreadable;
    PixelSize size;  // the picture's own size
    uint64_t fileBytes = 0;
    PixelSize shown;              // the size of `pixels`
    std::vector<uint8_t> pixels;  // top-down rows of 4-byte BGR0 pixels, on the background
};

// The preview's one worker thread: it only decodes pictures (through WIC,
// which it loads at its first picture) and tells `notify` by posting
// `message` when one is ready. A newer request cancels an older one; the
// result of the newest alone is ever handed over.
class PictureDecoder {
public:
    PictureDecoder(HWND notify, UINT message);
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;
    // Cancels what is under way and waits for the worker.
    ~PictureDecoder();

    // Decodes `path` to fit `box`, transparent parts on `background`.
    void Request(const std::wstring& path, PixelSize box, COLORREF background);
    // The newest request's picture, once, after the message came.
    std::optional<DecodedPicture> Take();

private:
    struct Job {
        std::wstring path;
        PixelSize box;
        COLORREF background = 0;
    };
    static DWORD WINAPI Start(void* self);
    void Work();

    const HWND notify_;
    const UINT message_;
    // The system's own lock and condition: the standard library's would bring
    // its error texts, read through the ANSI FormatMessageA.
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE wake_ = CONDITION_VARIABLE_INIT;
    Job job_;
    std::atomic<uint64_t> requested_{0};  // the newest request's number
    std::atomic<bool> stopping_{false};
    std::optional<DecodedPicture> done_;
    uint64_t doneNumber_ = 0;
    win::UniqueHandle worker_;  // last: it starts at once
};
