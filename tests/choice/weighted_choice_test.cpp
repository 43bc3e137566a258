#include "choice/weighted_choice.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "choice/crt_random.h"

namespace {

using namespace std::string_literals;

// Plays back a script: v for a draw after the 1000-call warm-up, ~v for a single-call redraw.
// Keeps the seeds.
struct ScriptedRandom : RandomSource {
    void Seed(uint32_t seed) override { seeds += ' ' + std::to_string(seed); }
    int Next() override { return Pop(true); }
    int NextNth(int count) override { return Pop(count != 1000); }
    int Pop(bool redraw) {
        const int v = used < script.size() ? script[used] : 0;
        EXPECT_EQ(v < 0, redraw) << "generator call " << used;
        ++used;
        return v < 0 ? ~v : v;
    }
    std::vector<int> script;
    size_t used = 0;
    std::string seeds;
};

// The result; the pick (path.ext, "old.old" before); the paths left; the sum; the paths probed;
// the seeds, from a clock that reads 100, 101...
using Outcome = std::tuple<bool, std::string, std::string, int32_t, std::string, std::string>;
using Entries = std::vector<std::pair<std::string, int32_t>>;

// Paths starting with "gone" cannot be opened.
Outcome Draw(const Entries& entries, int32_t sum, const std::vector<int>& script) {
    CWallpaperList list;
    for (const auto& [p, r] : entries) list.AddTail({"bmp", p, r});
    ScriptedRandom g;
    g.script = script;
    std::time_t now = 100;
    std::string path = "old", ext = "old", probed, left;
    auto probe = [&](const std::string& p) { return probed += ' ' + p, p.rfind("gone", 0) != 0; };
    const bool ok = DrawWallpaper(
        list, sum, g, [&] { return now++; }, probe, path, ext);
    for (const auto& e : list) left += ' ' + e.path;
    EXPECT_EQ(g.used, script.size()) << "generator calls";
    return {ok, path + '.' + ext, left, sum, probed, g.seeds};
}

}  // namespace

TEST(WeightedChoice, ThresholdAndPositionBoundaries) {
    // One entry per rating 1..5: threshold t has the 6 - t candidates t..5. {r, position, pick}:
    // the threshold boundaries, positions among 2 and 3 candidates, then the slots left.
    const int rows[][3] = {
        {2340, 0, 1},      {2341, 0, 2},      {7021, 0, 2},      {7022, 0, 3},
        {14043, 0, 3},     {14044, 0, 4},     {23405, 0, 4},     {23406, 0, 5},
        {32767, 32767, 5}, {23405, 16383, 4}, {23405, 16384, 5}, {14043, 10922, 3},
        {14043, 10923, 4}, {14043, 21844, 4}, {14043, 21845, 5}, {10000, 0, 3},
        {17000, 0, 4},     {20000, 0, 4},     {26000, 0, 5},     {30000, 0, 5}};
    const Entries five{{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}};
    for (auto [r, position, pick] : rows)
        EXPECT_EQ(std::get<1>(Draw(five, 15, {r, position})), std::to_string(pick) + ".bmp")
            << r << ' ' << position;
}

TEST(WeightedChoice, Draws) {
    // clang-format off
    const std::tuple<Entries, int32_t, std::vector<int>, Outcome> cases[] = {
        // Threshold 3: a, c, d in list order; the third.
        {{{"a", 5}, {"b", 2}, {"c", 3}, {"d", 7}, {"e", 0}}, 17, {7022, 21845},
         {true, "d.bmp", " a b c d e", 17, " d", " 100"}},
        // 5: no candidate, marked; 5 again: one call gives 4, marked; 5, 4: both marked, one
        // call gives 2.
        {{{"a", 2}, {"b", 2}}, 4, {32767, 23406, ~14044, 30000, ~20000, ~5000, 16384},
         {true, "b.bmp", " a b", 4, " b", " 100"}},
        // 5 marked, 2, "gone" dropped; reseeded, 5 still marked: one call gives 2; second of a, c.
        {{{"a", 2}, {"gone", 2}, {"c", 2}}, 100, {32767, 3000, 10923, 32767, ~2341, 16384},
         {true, "c.bmp", " a c", 98, " gone c", " 100 101"}},
        // No entry rated 1 or more: nothing drawn, the generator left alone.
        {{{"a", 0}, {"b", -3}, {"c", -100}}, 42, {}, {false, ".", " a b c", 42, "", ""}},
        // Unreadable: the only one rated 1 or more; the same path twice, one attempt each, with a
        // sum that wraps instead of overflowing.
        {{{"gone", 1}, {"zero", 0}}, 1, {0, 0}, {false, ".", " zero", 0, " gone", " 100"}},
        {{{"gone", 1}, {"gone", 2}, {"y", 4}}, INT32_MIN + 1, {0, 0, 0, 0, 0, 0},
         {true, "y.bmp", " y", 2147483646, " gone gone y", " 100 101 102"}}};
    // clang-format on
    for (const auto& [entries, sum, script, outcome] : cases)
        EXPECT_EQ(Draw(entries, sum, script), outcome);
}

// Change now: among the pictures that can be applied and opened, never the one shown while
// another is listed, and among the others a logon run's pick for the same seed.
TEST(WeightedChoice, ChangeNowDrawsAnotherUsablePictureAtItsOdds) {
    const auto draw = [](const Entries& entries, uint32_t seed, bool other) {
        CWallpaperList list;
        for (const auto& [path, r] : entries)
            list.AddTail({path.substr(path.find('.') + 1), path, r});
        CrtRandom g;
        std::string path, ext;
        const auto opens = [](const std::string& p) { return p[0] != 'g'; };
        int32_t sum = 0;
        const auto clock = [&] { return seed; };
        other ? DrawOtherWallpaper(list, 0, "SHOWN.bmp", g, clock, opens, path, ext)
              : DrawWallpaper(list, sum, g, clock, opens, path, ext);
        return path;
    };
    for (uint32_t seed = 0; seed < 200; ++seed)
        EXPECT_EQ(draw({{"a.bmp", 5}, {"shown.bmp", 5}, {"d.jpg", 5}, {"b.BMP", 1}, {"c.bmp", 3}},
                       seed, true),
                  draw({{"a.bmp", 5}, {"b.BMP", 1}, {"c.bmp", 3}}, seed, false))
            << seed;
    EXPECT_EQ(draw({{"shown.bmp", 1}, {"gone.bmp", 5}, {"d.jpg", 5}}, 1, true), "shown.bmp");
}

TEST(CrtRandom, TheCStandardSequenceAndJumpingAhead) {
    CrtRandom g;  // seeded with 1
    for (int expected : {16838, 5758, 10113, 17515, 31051}) EXPECT_EQ(g.Next(), expected);
    for (int count : {1, 2, 1000, 4097}) {
        CrtRandom stepped, jumped;  // from a seed as a clock gives it
        stepped.Seed(1700000000), jumped.Seed(1700000000);
        for (int i = 1; i < count; ++i) stepped.Next();
        EXPECT_EQ(jumped.NextNth(count), stepped.Next()) << count;
        EXPECT_EQ(jumped.Next(), stepped.Next()) << count;
    }
}

// Up to the first NUL, as the system sees it.
TEST(BmpExtension, AnyCaseOfTheNamesAndNothingElse) {
    const std::tuple<std::string, int, bool> rows[] = {
        {"BMP", 0, true}, {"bmp", 2, true},   {"bmp\0x"s, 0, true},  {"", 0, false},
        {"BM", 0, false}, {"BMPX", 0, false}, {"BM\xADP", 0, false}, {"\xC2MP", 0, false},
        {"Jpg", 1, true}, {"jPEG", 1, true},  {"PNG", 1, true},      {"jpg", 0, false},
        {"png", 2, false}};
    for (const auto& [ext, formats, yes] : rows) {
        EXPECT_EQ(IsAppliedExtension(ext, formats), yes) << ext << formats;
        EXPECT_EQ(IsBmpExtension(ext), yes && formats != 1) << ext;  // the rows with 1 are not BMP
    }
}
