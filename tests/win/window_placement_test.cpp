#include "win/window_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/list_bytes.h"

namespace {

using win::PlacementRect, win::WindowPlacement;

// A WINDOWPLACEMENT spelled out: length, flags, show state, the minimized and maximized
// corners (-1, -1), the restored rectangle.
std::string Bytes(uint32_t length, uint32_t flags, uint32_t show, PlacementRect r) {
    std::string bytes;
    for (int32_t word : {int32_t(length), int32_t(flags), int32_t(show), -1, -1, -1, -1, r.left,
                         r.top, r.right, r.bottom})
        bytes += listbytes::Le32(uint32_t(word));
    return bytes;
}

TEST(WindowPlacement, StoredBytesAreTakenOnlyWhenWhole) {
    const PlacementRect r{-10, 20, 410, 320}, far{-32767, -32767, 32767, 32767};
    const std::optional<WindowPlacement> no, normal{{r, false}}, maximized{{r, true}};
    const std::string whole = Bytes(44, 0, 1, r);
    // clang-format off
    const std::pair<std::string, std::optional<WindowPlacement>> rows[] = {
        {whole, normal},                  {Bytes(44, 0, 3, r), maximized},
        {Bytes(44, 2, 2, r), maximized},  {Bytes(44, 1, 2, r), normal},     {Bytes(44, 2, 1, r), normal},
        {Bytes(44, 0, 0, r), normal},     {Bytes(44, 0, 11, r), normal},    {Bytes(44, 0, 12, r), no},
        {Bytes(44, 0, -1u, r), no},       {Bytes(40, 0, 1, r), no},         {whole + '\0', no},
        {Bytes(44, 0, 1, far), {{far, false}}},     {Bytes(44, 0, 1, {-32768, 0, 10, 10}), no},
        {Bytes(44, 0, 1, {0, 0, 10, 65541}), no},   {Bytes(44, 0, 1, {5, 0, 5, 10}), no},
        {Bytes(44, 0, 1, {0, 5, 10, 5}), no}};
    // clang-format on
    for (const auto& [bytes, placement] : rows) {
        const auto data = reinterpret_cast<const unsigned char*>(bytes.data());
        EXPECT_EQ(win::PlacementFromBytes(data, bytes.size()), placement)
            << testing::PrintToString(bytes);
    }
    // Written back shown normal or maximized, with no flags.
    for (const auto& [placement, show] : {std::pair(*normal, 1u), {*maximized, 3u}}) {
        const auto written = win::PlacementBytes(placement);
        EXPECT_EQ(std::string(written.begin(), written.end()), Bytes(44, 0, show, r));
    }
}

// Off to the right and below, up and left, and larger than the area.
TEST(WindowPlacement, MovedWhollyIntoTheArea) {
    const PlacementRect area{-1280, 40, 0, 1024};
    for (const auto& [rect, moved] :
         {std::pair<PlacementRect, PlacementRect>{{3000, 1100, 3400, 1400}, {-400, 724, 0, 1024}},
          {{-5000, -900, -4600, -600}, {-1280, 40, -880, 340}},
          {{-2000, 0, 2000, 2000}, area}})
        EXPECT_EQ(win::MovedInto(rect, area), moved);
}

}  // namespace
