#include "ui/picture_decoder_win.h"

#include <wincodec.h>

#include <functional>

#include "win/handles.h"

namespace {

using Cancelled = std::function<bool()>;

// A decoder's own scaled decode (IWICBitmapSourceTransform, which mingw-w64's
// headers lack): Windows' JPEG decoder gives 1/2, 1/4 or 1/8 of the picture
// for a fraction of the work of decoding it whole.
struct ScaledDecode : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format,
                                                 WICBitmapTransformOptions transform, UINT stride,
                                                 UINT size, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform,
                                                           BOOL* supported) = 0;
};

}  // namespace
__CRT_UUID_DECL(ScaledDecode, 0x3b16811b, 0x6a43, 0x4ec9, 0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9,
                0x40)
namespace {

// The frame decoded by the decoder itself at the smallest size it offers that
// still holds `shown`, as 24-bit BGR, into `bitmap` of size `scaled`; false
// where it offers no smaller size (Wine's decoders offer none).
bool DecodeScaled(IWICImagingFactory& factory, IWICBitmapFrameDecode& frame, PixelSize size,
                  PixelSize shown, win::ComPtr<IWICBitmap>& bitmap, PixelSize& scaled) {
    win::ComPtr<ScaledDecode> decoder;
    UINT width = shown.width, height = shown.height;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame.QueryInterface(IID_PPV_ARGS(decoder.Put()))) ||
        FAILED(decoder->GetClosestSize(&width, &height)) || width < shown.width ||
        height < shown.height || width >= size.width ||
        FAILED(decoder->GetClosestPixelFormat(&format)) ||
        !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        return false;
    const UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(size_t{stride} * height);
    if (FAILED(decoder->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0,
                                   stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
        FAILED(factory.CreateBitmapFromMemory(width, height, format, stride,
                                              static_cast<UINT>(pixels.size()), pixels.data(),
                                              bitmap.Put())))
        return false;
    scaled = {width, height};
    return true;
}

// COM for the worker, which has no window: the free-threaded apartment.
class MtaScope {
public:
    MtaScope() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    MtaScope(const MtaScope&) = delete;
    MtaScope& operator=(const MtaScope&) = delete;
    ~MtaScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

private:
    HRESULT hr_;
};

// Holds the lock for a scope.
class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    ~Locked() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK& lock_;
};

// Premultiplied pixels laid on an opaque background.
void LayOn(COLORREF background, std::vector<uint8_t>& pixels) {
    const uint8_t back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const unsigned clear = 255u - pixels[i + 3];
        for (int c = 0; c < 3; ++c)
            pixels[i + c] = static_cast<uint8_t>(pixels[i + c] + (back[c] * clear + 127) / 255);
        pixels[i + 3] = 0;
    }
}

// Shrinks the frame one band of rows at a time: no more than a band of the
// picture is ever held, and a newer request stops it between two rows.
bool Shrink(IWICBitmapSource& source, int pixelBytes, PixelSize size, DecodedPicture& out,
            const Cancelled& cancelled) {
    const PixelSize shown = out.shown;
    const size_t stride = size_t{size.width} * pixelBytes;
    std::vector<uint8_t> band;
    out.pixels.assign(size_t{shown.width} * shown.height * 4, 0);
    for (uint32_t row = 0; row < shown.height; ++row) {
        if (cancelled()) return false;
        const RowBand rows = BandOfRow(row, shown.height, size.height);
        const UINT count = rows.last - rows.first;
        band.resize(stride * count);
        const WICRect rect{0, static_cast<INT>(rows.first), static_cast<INT>(size.width),
                           static_cast<INT>(count)};
        if (FAILED(source.CopyPixels(&rect, static_cast<UINT>(stride),
                                     static_cast<UINT>(band.size()), band.data())))
            return false;
        AverageBand(band.data(), stride, size.width, count, pixelBytes, shown.width,
                    out.pixels.data() + size_t{row} * shown.width * 4);
    }
    return true;
}

// Nothing when cancelled.
std::optional<DecodedPicture> Decode(IWICImagingFactory* factory, const std::wstring& path,
                                     PixelSize box, COLORREF background,
                                     const Cancelled& cancelled) {
    DecodedPicture out;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        out.outcome = DecodedPicture::Outcome::Missing;
        return out;
    }
    out.fileBytes = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    win::ComPtr<IWICBitmapDecoder> decoder;
    win::ComPtr<IWICBitmapFrameDecode> frame;
    win::ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->GetPixelFormat(&format)))
        return out;
    out.size = {width, height};
    out.shown = FitInside(out.size, box);
    // Read scaled down by the decoder where it can, else whole, a band at a time.
    IWICBitmapSource* source = frame.Get();
    PixelSize read = out.size;
    win::ComPtr<IWICBitmap> scaled;
    if (DecodeScaled(*factory, *frame.Get(), out.size, out.shown, scaled, read)) {
        source = scaled.Get();
        format = GUID_WICPixelFormat24bppBGR;
    }
    // Photographs come as 24-bit BGR, read as they are; any other format
    // through a converter to premultiplied BGRA.
    const bool direct = IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
    if (!direct) {
        if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
            FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0,
                                         WICBitmapPaletteTypeCustom)))
            return out;
        source = converter.Get();
    }
    if (!Shrink(*source, direct ? 3 : 4, read, out, cancelled)) {
        if (cancelled()) return std::nullopt;
        out.pixels.clear();
        return out;
    }
    LayOn(background, out.pixels);
    out.outcome = DecodedPicture::Outcome::Shown;
    return out;
}

}  // namespace

PictureDecoder::PictureDecoder(HWND notify, UINT message)
    : notify_(notify),
      message_(message),
      worker_(CreateThread(nullptr, 0, &PictureDecoder::Start, this, 0, nullptr)) {
    // The window's thread comes first when both want the processor.
    if (worker_) SetThreadPriority(worker_.get(), THREAD_PRIORITY_BELOW_NORMAL);
}

PictureDecoder::~PictureDecoder() {
    {
        const Locked locked(lock_);
        stopping_ = true;
    }
    WakeConditionVariable(&wake_);
    if (worker_) WaitForSingleObject(worker_.get(), INFINITE);
}

void PictureDecoder::Request(const std::wstring& path, PixelSize box, COLORREF background) {
    {
        const Locked locked(lock_);
        job_ = {path, box, background};
        ++requested_;
    }
    WakeConditionVariable(&wake_);
}

std::optional<DecodedPicture> PictureDecoder::Take() {
    const Locked locked(lock_);
    if (doneNumber_ != requested_) return std::nullopt;
    return std::exchange(done_, std::nullopt);
}

DWORD WINAPI PictureDecoder::Start(void* self) {
    static_cast<PictureDecoder*>(self)->Work();
    return 0;
}

void PictureDecoder::Work() {
    const MtaScope com;
    // Made at the first picture: WIC is loaded only by a window that previews.
    win::ComPtr<IWICImagingFactory> factory;
    uint64_t number = 0;
    for (;;) {
        Job job;
        {
            const Locked locked(lock_);
            while (!stopping_ && requested_ == number)
                SleepConditionVariableSRW(&wake_, &lock_, INFINITE, 0);
            if (stopping_) break;
            number = requested_;
            job = job_;
        }
        if (!factory)
            CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(factory.Put()));
        auto picture = Decode(factory.Get(), job.path, job.box, job.background,
                              [&] { return stopping_ || requested_ != number; });
        if (!picture) continue;
        const Locked locked(lock_);
        if (requested_ != number) continue;
        done_ = std::move(picture);
        doneNumber_ = number;
        PostMessageW(notify_, message_, 0, 0);
    }
}
