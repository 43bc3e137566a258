#include "choice/weighted_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "choice/crt_random.h"

namespace {

// Plays back scripted values. Drawn() pads the 1000-call warm-up with noise,
// so a wrong call count changes the pick or leaves the script unfinished.
struct ScriptedRandom : RandomSource {
    ~ScriptedRandom() override { EXPECT_TRUE(values.empty()) << values.size() << " scripted values unused"; }
    ScriptedRandom& Drawn(int v) {
        for (int i = 1; i < 1000; ++i) values.push_back((v + 7919 * i) % 32768);
        return Redrawn(v);
    }
    ScriptedRandom& Redrawn(int v) { values.push_back(v); return *this; }
    void Seed(uint32_t seed) override { seeds.push_back(seed); }
    int Next() override {
        EXPECT_FALSE(values.empty()) << "more generator calls than scripted";
        const int v = values.empty() ? 0 : values.front();
        if (!values.empty()) values.pop_front();
        return v;
    }
    std::deque<int> values;
    std::vector<uint32_t> seeds;
};

using Entries = std::vector<std::pair<std::string, int32_t>>;

// Draws from `entries` (paths starting with "gone" cannot be opened) and
// returns everything the draw returned or changed, in one line.
std::string Draw(const Entries& entries, int32_t ratingSum, RandomSource& g) {
    CWallpaperList list;
    for (const auto& [p, r] : entries) list.AddTail({"bmp", p, r});
    std::time_t now = 1'700'000'000;
    std::string path = "old", ext = "old", probed, left;
    const bool ok = DrawWallpaper(list, ratingSum, g, [&] { return now++; },
                                  [&](const std::string& p) { probed += p + ' '; return p.rfind("gone", 0) != 0; },
                                  path, ext);
    for (const auto& e : list) left += e.path + ' ';
    return (ok ? "true " : "false ") + path + '.' + ext + " | list " + left + "| sum " + std::to_string(ratingSum) +
           " | probed " + probed + "| clock " + std::to_string(now - 1'700'000'000);
}

}  // namespace

TEST(WeightedChoice, ThresholdAndPositionBoundaries) {
    // One entry per rating: threshold t has the 6 - t candidates t..t5.
    for (auto [r, position, pick] : {std::tuple{0, 0, "t1"}, {2340, 0, "t1"}, {2341, 0, "t2"}, {7021, 0, "t2"},
             {7022, 0, "t3"}, {14043, 0, "t3"}, {14044, 0, "t4"}, {23405, 0, "t4"}, {23406, 0, "t5"}, {32767, 0, "t5"},
             {32767, 32767, "t5"}, {23405, 16383, "t4"}, {23405, 16384, "t5"}, {23405, 32767, "t5"},
             {14043, 10922, "t3"}, {14043, 10923, "t4"}, {14043, 21844, "t4"}, {14043, 21845, "t5"}, {14043, 32767, "t5"}}) {
        ScriptedRandom g;
        EXPECT_EQ(Draw({{"t1", 1}, {"t2", 2}, {"t3", 3}, {"t4", 4}, {"t5", 5}}, 15, g.Drawn(r).Drawn(position)).substr(0, 12),
                  std::string("true ") + pick + ".bmp ") << r << ' ' << position;
    }
}

TEST(WeightedChoice, Draws) {
    struct Case {
        Entries entries;
        int32_t sum;
        std::vector<int> script;  // v: a draw after the warm-up; ~v: a single-call redraw
        std::vector<uint32_t> seeds;  // after 1'700'000'000
        const char* outcome;
    } const cases[] = {
        // Threshold 3: a, c, d in list order; the third.
        {{{"a", 5}, {"b", 2}, {"c", 3}, {"d", 7}, {"e", 0}}, 17, {7022, 21845}, {0},
         "true d.bmp | list a b c d e | sum 17 | probed d | clock 1"},
        // 5: no candidate, marked; 5 again: one call gives 4, marked; 5, 4: both marked, one call gives 2.
        {{{"a", 2}, {"b", 2}}, 4, {32767, 23406, ~14044, 30000, ~20000, ~5000, 16384}, {0},
         "true b.bmp | list a b | sum 4 | probed b | clock 1"},
        // 5 marked, 2, "gone" dropped; reseeded, 5 still marked: one call gives 2; second of a, c.
        {{{"a", 2}, {"gone", 2}, {"c", 2}}, 100, {32767, 3000, 10923, 32767, ~2341, 16384}, {0, 1},
         "true c.bmp | list a c | sum 98 | probed gone c | clock 2"},
        // Nothing to draw: the generator is left alone.
        {{}, 0, {}, {}, "false . | list | sum 0 | probed | clock 0"},
        {{{"a", 0}, {"b", -3}, {"c", -100}}, 42, {}, {}, "false . | list a b c | sum 42 | probed | clock 0"},
        // Unreadable: the only entry; the only one rated 1 or more; the same path twice, one attempt
        // each, with a sum that wraps instead of overflowing.
        {{{"gone", 4}}, 4, {12345, 999}, {0}, "false . | list | sum 0 | probed gone | clock 1"},
        {{{"gone", 1}, {"zero", 0}}, 1, {0, 0}, {0}, "false . | list zero | sum 0 | probed gone | clock 1"},
        {{{"gone", 1}, {"gone", 2}, {"y", 4}}, INT32_MIN + 1, {0, 0, 0, 0, 0, 0}, {0, 1, 2},
         "true y.bmp | list y | sum 2147483646 | probed gone gone y | clock 3"},
    };
    for (const Case& c : cases) {
        ScriptedRandom g;
        for (int v : c.script) v < 0 ? g.Redrawn(~v) : g.Drawn(v);
        EXPECT_EQ(Draw(c.entries, c.sum, g), c.outcome);
        for (uint32_t& seed : g.seeds) seed -= 1'700'000'000;
        EXPECT_EQ(g.seeds, c.seeds) << c.outcome;
    }
    CrtRandom real;  // every file unreadable: probed in a random order, once each
    const std::string r = Draw({{"gone1", 1}, {"gone3", 3}, {"gone5", 5}}, 20, real);
    EXPECT_EQ(r.substr(0, 32) + r.substr(r.size() - 9), "false . | list | sum 11 | probed| clock 3");
}

TEST(BmpExtension, AnyCaseOfBmpAndNothingElse) {
    for (const char* yes : {"BMP", "bmp", "Bmp", "bMp", "bmP"}) EXPECT_TRUE(IsBmpExtension(yes)) << yes;
    for (const char* no : {"", "jpg", "BM", "BMPX", ".bmp", "bm p", "BM\xADP", "\xC2MP"})
        EXPECT_FALSE(IsBmpExtension(no)) << no;
    EXPECT_TRUE(IsBmpExtension(std::string("bmp\0x", 5)));  // as the system sees it
    for (auto [ext, formats, yes] : {std::tuple{"Jpg", 1, true}, {"jPEG", 1, true}, {"PNG", 1, true}, {"BMP", 0, true},
                                     {"jpg", 0, false}, {"png", 2, false}, {"jpe", 1, false}, {"pngx", 1, false}})
        EXPECT_EQ(IsAppliedExtension(ext, formats), yes) << ext << formats;
}
