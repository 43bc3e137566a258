#include "ui/picture_caption.h"

#include <cmath>
#include <cwchar>

std::wstring FileSizeText(uint64_t bytes) {
    if (bytes < 1024) return std::to_wstring(bytes) + L" octets";
    static const wchar_t* const kUnits[] = {L"Ko", L"Mo", L"Go", L"To"};
    double value = static_cast<double>(bytes) / 1024;
    size_t unit = 0;
    // A value that would round up to 1024 is shown in the next unit.
    while (value >= 1023.5 && unit + 1 < std::size(kUnits)) {
        value /= 1024;
        ++unit;
    }
    wchar_t text[32] = {};
    if (value < 9.95)
        std::swprintf(text, std::size(text), L"%.1f %ls", value, kUnits[unit]);
    else
        std::swprintf(text, std::size(text), L"%.0f %ls", std::round(value), kUnits[unit]);
    std::wstring out = text;
    for (wchar_t& c : out)
        if (c == L'.') c = L',';
    return out;
}

std::wstring PictureCaption(uint32_t width, uint32_t height, uint64_t fileBytes) {
    return std::to_wstring(width) + L" \u00d7 " + std::to_wstring(height) + L" \u2013 " +
           FileSizeText(fileBytes);
}
