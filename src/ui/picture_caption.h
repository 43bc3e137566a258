#pragma once

#include <cstdint>
#include <string>

// The line beneath the preview: pixel size and file size, in French, as
// L"1920 × 1080 – 2,4 Mo".
std::wstring PictureCaption(uint32_t width, uint32_t height, uint64_t fileBytes);

// A file size in French units (octets, Ko, Mo, Go, To of 1024): one decimal
// below 10, whole numbers above, a decimal comma.
std::wstring FileSizeText(uint64_t bytes);
