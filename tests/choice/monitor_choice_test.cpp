#include "choice/monitor_choice.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Draw k takes the entry at k modulo the count, after dropping the "gone" ones. A path's first
// letter is its shape: Landscape, Portrait, Square; any other cannot be read.
std::pair<std::string, int> Choose(const std::vector<std::string>& paths,
                                   const std::vector<MonitorArea>& monitors) {
    CWallpaperList pool;
    for (const auto& p : paths) pool.AddTail({"bmp", p, 3});
    size_t k = 0;
    int reads = 0;
    const ListDraw draw = [&](CWallpaperList& list) -> std::optional<CWallpaperEntry> {
        for (auto it = list.begin(); it != list.end();)
            it->path.rfind("gone", 0) == 0 ? list.RemoveAt(it++) : void(++it);
        if (list.IsEmpty()) return std::nullopt;
        return *std::next(list.begin(), long(k++ % size_t(list.GetCount())));
    };
    const ShapeProbe probe = [&](const std::string& p) -> std::optional<Orientation> {
        const auto at = (++reads, std::string("LPS").find(p[0]));
        return at == std::string::npos ? std::nullopt : std::optional(Orientation(at));
    };
    std::string picks;
    for (const auto& pick : ChoosePerMonitor(pool, monitors, draw, probe))
        picks += (picks.empty() ? "" : " ") + (pick ? pick->path : "-");
    return {picks, reads};
}

const MonitorArea wide{1920, 1080, ""}, tall{1080, 1920, ""}, square{100, 100, ""};

}  // namespace

TEST(MonitorChoice, EachMonitorItsShapeAndItsOwnPictureWhileTheListAllows) {
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i) many.push_back("P" + std::to_string(i));
    // clang-format off
    const std::tuple<std::vector<std::string>, std::vector<MonitorArea>, std::string, int> rows[] = {
        {{"P1", "L1"}, {wide, tall}, "L1 P1", 2},
        {{"L1", "L2"}, {wide, tall}, "L1 L2", 2},        // one shape only: still distinct
        {{"L1"}, {wide, tall}, "L1 L1", 1},              // not enough pictures
        {{"L1", "S1"}, {tall, wide}, "S1 L1", 2},        // square suits both
        {{"P1", "L1"}, {square}, "L1", 2},               // a square monitor is landscape
        {{"?1", "L1"}, {wide}, "L1", 2},                 // an unreadable shape suits none
        {{"L1", "L2"}, {{9, 4, "L1"}}, "L2", 1},         // the current picture is avoided
        {{"L1", "gone"}, {{9, 4, "L1"}}, "L1", 1},       // unless nothing else is usable
        {{"P1", "P2"}, {wide}, "P1", 2},                 // none suits: the first drawn
        {{"gone"}, {wide, tall}, "- -", 0},
        {many, {wide, wide, wide, wide, wide}, "P0 P7 P14 P21 P28", 24}};  // bounded reads
    // clang-format on
    for (const auto& [paths, monitors, picks, reads] : rows)
        EXPECT_EQ(Choose(paths, monitors), std::pair(picks, reads)) << paths[0] << picks;
}
