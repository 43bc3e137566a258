#include "choice/weighted_choice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "choice/crt_random.h"

namespace {

using namespace std::string_literals;

// Plays back a script: v for a draw after the 1000-call warm-up, ~v for a single-call redraw.
struct ScriptedRandom : RandomSource {
    void Seed(uint32_t) override { ++seeds; }
    int Next() override { return Pop(true); }
    int NextNth(int count) override { return Pop(count != 1000); }
    int Pop(bool redraw) {
        const int v = used < script.size() ? script[used] : 0;
        ++used;
        EXPECT_EQ(v < 0, redraw) << "generator call " << used;
        return v < 0 ? ~v : v;
    }
    std::vector<int> script;
    size_t used = 0;
    int seeds = 0;
};

// The result; the pick (path.ext, "old.old" before); the paths left listed; the sum; the paths probed; the seeds.
using Outcome = std::tuple<bool, std::string, std::string, int32_t, std::string, int>;
using Entries = std::vector<std::pair<std::string, int32_t>>;

// Paths starting with "gone" cannot be opened.
Outcome Draw(const Entries& entries, int32_t sum, const std::vector<int>& script) {
    CWallpaperList list;
    for (const auto& [p, r] : entries) list.AddTail({"bmp", p, r});
    ScriptedRandom g;
    g.script = script;
    std::time_t now = 1'700'000'000;
    std::string path = "old", ext = "old", probed, left;
    const bool ok = DrawWallpaper(list, sum, g, [&] { return now++; },
                                  [&](const std::string& p) { probed += ' ' + p; return p.rfind("gone", 0) != 0; },
                                  path, ext);
    for (const auto& e : list) left += ' ' + e.path;
    EXPECT_EQ(g.used, script.size()) << "generator calls";
    return {ok, path + '.' + ext, left, sum, probed, g.seeds};
}

}  // namespace

TEST(WeightedChoice, ThresholdAndPositionBoundaries) {
    // One entry per rating: threshold t has the 6 - t candidates t..t5.
    for (auto [r, position, pick] : {std::tuple{0, 0, "t1"}, {2340, 0, "t1"}, {2341, 0, "t2"}, {7021, 0, "t2"},
             {7022, 0, "t3"}, {14043, 0, "t3"}, {14044, 0, "t4"}, {23405, 0, "t4"}, {23406, 0, "t5"}, {32767, 0, "t5"},
             {32767, 32767, "t5"}, {23405, 16383, "t4"}, {23405, 16384, "t5"}, {23405, 32767, "t5"},
             {14043, 10922, "t3"}, {14043, 10923, "t4"}, {14043, 21844, "t4"}, {14043, 21845, "t5"}, {14043, 32767, "t5"}})
        EXPECT_EQ(std::get<1>(Draw({{"t1", 1}, {"t2", 2}, {"t3", 3}, {"t4", 4}, {"t5", 5}}, 15, {r, position})),
                  pick + ".bmp"s) << r << ' ' << position;
}

TEST(WeightedChoice, Draws) {
    const struct { Entries entries; int32_t sum; std::vector<int> script; Outcome outcome; } cases[] = {
        // Threshold 3: a, c, d in list order; the third.
        {{{"a", 5}, {"b", 2}, {"c", 3}, {"d", 7}, {"e", 0}}, 17, {7022, 21845}, {true, "d.bmp", " a b c d e", 17, " d", 1}},
        // 5: no candidate, marked; 5 again: one call gives 4, marked; 5, 4: both marked, one call gives 2.
        {{{"a", 2}, {"b", 2}}, 4, {32767, 23406, ~14044, 30000, ~20000, ~5000, 16384}, {true, "b.bmp", " a b", 4, " b", 1}},
        // 5 marked, 2, "gone" dropped; reseeded, 5 still marked: one call gives 2; second of a, c.
        {{{"a", 2}, {"gone", 2}, {"c", 2}}, 100, {32767, 3000, 10923, 32767, ~2341, 16384},
         {true, "c.bmp", " a c", 98, " gone c", 2}},
        // Nothing to draw: the generator is left alone, also when no entry is rated 1 or more.
        {{}, 0, {}, {false, ".", "", 0, "", 0}},
        {{{"a", 0}, {"b", -3}, {"c", -100}}, 42, {}, {false, ".", " a b c", 42, "", 0}},
        // Unreadable: the only entry; the only one rated 1 or more; the same path twice, one attempt
        // each, with a sum that wraps instead of overflowing.
        {{{"gone", 4}}, 4, {12345, 999}, {false, ".", "", 0, " gone", 1}},
        {{{"gone", 1}, {"zero", 0}}, 1, {0, 0}, {false, ".", " zero", 0, " gone", 1}},
        {{{"gone", 1}, {"gone", 2}, {"y", 4}}, INT32_MIN + 1, {0, 0, 0, 0, 0, 0},
         {true, "y.bmp", " y", 2147483646, " gone gone y", 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(Draw(c.entries, c.sum, c.script), c.outcome);
}

// With the real generator, draws one second apart as logons are, every file readable.
TEST(WeightedChoice, FrequenciesFitTheOdds) {
    constexpr int kDraws = 300'000;
    const std::pair<std::vector<int>, std::vector<double>> cases[] = {
        {{5, 1}, {1 - 2341.0 / 65536, 2341.0 / 65536}},
        {{5, 4, 3, 2, 1}, {.550, .264, .121, .050, .014}},  // rounded to 0.1 %
        {{3, 3, 2}, {5.0 / 12, 5.0 / 12, 1.0 / 6}},
    };
    for (const auto& [ratings, odds] : cases) {
        CWallpaperList list;
        for (size_t i = 0; i < ratings.size(); ++i) list.AddTail({"bmp", std::to_string(i), ratings[i]});
        CrtRandom g;
        int32_t sum = 0;
        std::time_t now = 1'700'000'000;
        std::string path, ext;
        std::vector<double> seen(ratings.size());
        for (int i = 0; i < kDraws; ++i, seen[std::stoul(path)] += 1.0 / kDraws)
            ASSERT_TRUE(DrawWallpaper(list, sum, g, [&] { return now++; }, [](auto&) { return true; }, path, ext));
        // The rounding, and five standard deviations.
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_NEAR(seen[i], odds[i], 5e-4 + 5 * std::sqrt(odds[i] * (1 - odds[i]) / kDraws)) << i;
    }
}

TEST(CrtRandom, TheCStandardSequenceAndJumpingAhead) {
    CrtRandom g;  // seeded with 1
    for (int expected : {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086}) EXPECT_EQ(g.Next(), expected);
    for (int count : {1, 2, 3, 1000, 4097}) {
        CrtRandom stepped, jumped;
        for (int i = 1; i < count; ++i) stepped.Next();
        EXPECT_EQ(jumped.NextNth(count), stepped.Next()) << count;
        EXPECT_EQ(jumped.Next(), stepped.Next()) << count;
    }
}

TEST(BmpExtension, AnyCaseOfBmpAndNothingElse) {
    for (auto [ext, bmp] : {std::pair{"BMP"s, true}, {"bmp"s, true}, {"Bmp"s, true}, {"bMp"s, true}, {"bmP"s, true},
                            {"bmp\0x"s, true}, {""s, false}, {"jpg"s, false}, {"BM"s, false}, {"BMPX"s, false},
                            {".bmp"s, false}, {"BM\xADP"s, false}, {"\xC2MP"s, false}})
        EXPECT_EQ(IsBmpExtension(ext), bmp) << ext;  // up to the first NUL, as the system sees it
    for (auto [ext, formats, yes] : {std::tuple{"Jpg", 1, true}, {"jPEG", 1, true}, {"PNG", 1, true}, {"BMP", 0, true},
                                     {"jpg", 0, false}, {"png", 2, false}, {"jpe", 1, false}, {"pngx", 1, false}})
        EXPECT_EQ(IsAppliedExtension(ext, formats), yes) << ext << formats;
}
