#include "choice/picture_shape_win.h"

#include <windows.h>
#include <wincodec.h>

#include <utility>

#include "win/handles.h"

namespace {

// The EXIF orientation of a JPEG frame; 1 (upright) when it has none.
UINT ExifOrientation(IWICBitmapFrameDecode* frame) {
    win::ComPtr<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.Put()))) return 1;
    PROPVARIANT value;
    PropVariantInit(&value);
    UINT orientation = 1;
    if (SUCCEEDED(reader->GetMetadataByName(L"/app1/ifd/{ushort=274}", &value)) &&
        value.vt == VT_UI2)
        orientation = value.uiVal;
    PropVariantClear(&value);
    return orientation;
}

}  // namespace

std::optional<Orientation> PictureShape(const std::wstring& path) {
    win::ComPtr<IWICImagingFactory> factory;
    win::ComPtr<IWICBitmapDecoder> decoder;
    win::ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    // Metadata on demand: only the header is read, not the pixels.
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.PutVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&width, &height)))
        return std::nullopt;
    GUID container{};
    const bool jpeg =
        SUCCEEDED(decoder->GetContainerFormat(&container)) && container == GUID_ContainerFormatJpeg;
    const UINT orientation = jpeg ? ExifOrientation(frame.Get()) : 1;
    if (orientation >= 5 && orientation <= 8) std::swap(width, height);
    return OrientationOf(width, height);
}
