#include "win/window_placement.h"

#include <algorithm>

namespace win {
namespace {

// The fields of a WINDOWPLACEMENT, one 32-bit word each.
enum Word { kLength, kFlags, kShowCmd, kMinX, kMinY, kMaxX, kMaxY, kLeft, kTop, kRight, kBottom };
constexpr int32_t kRestoreToMaximized = 2;  // WPF_RESTORETOMAXIMIZED
constexpr int32_t kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3, kLastShow = 11;
// Window coordinates beyond 16 bits wrap in the messages that carry them.
constexpr int32_t kCoordinateLimit = 32767;

int32_t WordAt(const unsigned char* data, Word word) {
    const unsigned char* p = data + 4 * word;
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
}

void PutWord(std::array<unsigned char, kPlacementSize>& bytes, Word word, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[4 * word + i] = static_cast<unsigned char>(v >> 8 * i);
}

bool InRange(int32_t value) { return value >= -kCoordinateLimit && value <= kCoordinateLimit; }

}  // namespace

std::optional<WindowPlacement> PlacementFromBytes(const unsigned char* data, std::size_t size) {
    if (size != kPlacementSize || WordAt(data, kLength) != int32_t{kPlacementSize})
        return std::nullopt;
    const int32_t show = WordAt(data, kShowCmd);
    const PlacementRect rect{WordAt(data, kLeft), WordAt(data, kTop), WordAt(data, kRight),
                             WordAt(data, kBottom)};
    if (show < 0 || show > kLastShow || !InRange(rect.left) || !InRange(rect.top) ||
        !InRange(rect.right) || !InRange(rect.bottom) || rect.right <= rect.left ||
        rect.bottom <= rect.top)
        return std::nullopt;
    const bool restoresMaximized =
        show == kShowMinimized && (WordAt(data, kFlags) & kRestoreToMaximized);
    return WindowPlacement{rect, show == kShowMaximized || restoresMaximized};
}

std::array<unsigned char, kPlacementSize> PlacementBytes(const WindowPlacement& placement) {
    std::array<unsigned char, kPlacementSize> bytes{};
    PutWord(bytes, kLength, kPlacementSize);
    PutWord(bytes, kShowCmd, placement.maximized ? kShowMaximized : kShowNormal);
    for (Word corner : {kMinX, kMinY, kMaxX, kMaxY}) PutWord(bytes, corner, -1);
    PutWord(bytes, kLeft, placement.normal.left);
    PutWord(bytes, kTop, placement.normal.top);
    PutWord(bytes, kRight, placement.normal.right);
    PutWord(bytes, kBottom, placement.normal.bottom);
    return bytes;
}

PlacementRect MovedInto(const PlacementRect& rect, const PlacementRect& area) {
    const int32_t width = std::min(rect.right - rect.left, area.right - area.left);
    const int32_t height = std::min(rect.bottom - rect.top, area.bottom - area.top);
    const int32_t left = std::clamp(rect.left, area.left, area.right - width);
    const int32_t top = std::clamp(rect.top, area.top, area.bottom - height);
    return {left, top, left + width, top + height};
}

}  // namespace win
