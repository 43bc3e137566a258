#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// Where a window was left, kept free of windows so that it builds everywhere:
// its restored rectangle, in the workspace coordinates of the system's window
// placement, and whether it was maximized. Stored as the bytes of a
// WINDOWPLACEMENT (the same 44 bytes in 32- and 64-bit programs).
namespace win {

struct PlacementRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

struct WindowPlacement {
    PlacementRect normal;
    bool maximized = false;
    bool operator==(const WindowPlacement&) const = default;
};

constexpr std::size_t kPlacementSize = 44;

// The placement these bytes hold, or none unless they are exactly one
// WINDOWPLACEMENT, little-endian, that names its own length, a known show
// state and a non-empty rectangle within 16-bit coordinates. A minimized
// window comes back restored, or maximized when it would restore to that.
std::optional<WindowPlacement> PlacementFromBytes(const unsigned char* data, std::size_t size);

// The WINDOWPLACEMENT's bytes: no flags, shown normal or maximized, and the
// minimized and maximized corners left to the system.
std::array<unsigned char, kPlacementSize> PlacementBytes(const WindowPlacement& placement);

// `rect` moved, and cut down where it is larger, to lie wholly inside `area`.
PlacementRect MovedInto(const PlacementRect& rect, const PlacementRect& area);

}  // namespace win
