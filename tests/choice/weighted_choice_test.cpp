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

// Files whose path starts with "gone" cannot be opened.
struct Draw {
    CWallpaperList list;
    int32_t ratingSum = 0;

    Draw(std::initializer_list<std::pair<const char*, int32_t>> entries) {
        for (const auto& [p, r] : entries) { list.AddTail({"bmp", p, r}); ratingSum += r; }
    }
    // Everything the draw returns or changes, in one line.
    std::string Run(RandomSource& g) {
        std::time_t now = 1'700'000'000;
        std::string path = "old", ext = "old", probed, left;
        const bool ok = DrawWallpaper(list, ratingSum, g, [&] { return now++; },
                                      [&](const std::string& p) { probed += p + ' '; return p.rfind("gone", 0) != 0; },
                                      path, ext);
        for (const auto& e : list) left += e.path + ' ';
        return (ok ? "true " : "false ") + path + '.' + ext + " | list " + left + "| sum " +
               std::to_string(ratingSum) + " | probed " + probed + "| clock " + std::to_string(now - 1'700'000'000);
    }
};

}  // namespace

TEST(WeightedChoice, ThresholdAndPositionBoundaries) {
    // One entry per rating: threshold t has the 6 - t candidates t..t5.
    for (auto [r, position, pick] : {std::tuple{0, 0, "t1"}, {2340, 0, "t1"}, {2341, 0, "t2"}, {7021, 0, "t2"},
             {7022, 0, "t3"}, {14043, 0, "t3"}, {14044, 0, "t4"}, {23405, 0, "t4"}, {23406, 0, "t5"}, {32767, 0, "t5"},
             {32767, 32767, "t5"}, {23405, 16383, "t4"}, {23405, 16384, "t5"}, {23405, 32767, "t5"},
             {14043, 10922, "t3"}, {14043, 10923, "t4"}, {14043, 21844, "t4"}, {14043, 21845, "t5"}, {14043, 32767, "t5"}}) {
        Draw d{{"t1", 1}, {"t2", 2}, {"t3", 3}, {"t4", 4}, {"t5", 5}};
        ScriptedRandom g;
        EXPECT_EQ(d.Run(g.Drawn(r).Drawn(position)).substr(0, 12), std::string("true ") + pick + ".bmp ") << r << ' ' << position;
    }
}

TEST(WeightedChoice, CandidatesAreTheEntriesRatedAtLeastTheThresholdInListOrder) {
    Draw d{{"a", 5}, {"b", 2}, {"c", 3}, {"d", 7}, {"e", 0}};
    ScriptedRandom g;
    g.Drawn(7022).Drawn(21845);  // threshold 3: a, c, d; the third
    EXPECT_EQ(d.Run(g), "true d.bmp | list a b c d e | sum 17 | probed d | clock 1");
}

TEST(WeightedChoice, EmptyThresholdsAreMarkedAndRedrawnWithOneCall) {
    Draw d{{"a", 2}, {"b", 2}};
    ScriptedRandom g;
    g.Drawn(32767)                    // 5: no candidate, marked
        .Drawn(23406).Redrawn(14044)  // 5 again: one call gives 4, marked
        .Drawn(30000).Redrawn(20000)  // 5, then 4: both marked
        .Redrawn(5000)                // 2
        .Drawn(16384);                // second of two
    EXPECT_EQ(d.Run(g), "true b.bmp | list a b | sum 4 | probed b | clock 1");
    EXPECT_EQ(g.seeds, std::vector<uint32_t>{1'700'000'000});
}

TEST(WeightedChoice, UnreadablePickIsDroppedAndEachAttemptReseededKeepingTheMarks) {
    Draw d{{"a", 2}, {"gone", 2}, {"c", 2}};
    d.ratingSum = 100;  // only ever lowered
    ScriptedRandom g;
    g.Drawn(32767).Drawn(3000).Drawn(10923)  // 5 marked, 2, "gone": dropped
        .Drawn(32767).Redrawn(2341)          // new attempt: 5 still marked, one call gives 2
        .Drawn(16384);                       // second of a, c
    EXPECT_EQ(d.Run(g), "true c.bmp | list a c | sum 98 | probed gone c | clock 2");
    EXPECT_EQ(g.seeds, (std::vector<uint32_t>{1'700'000'000, 1'700'000'001}));
}

TEST(WeightedChoice, NothingToDrawEndsAtOnceWithTheListUnchanged) {
    Draw empty{};
    ScriptedRandom g;
    EXPECT_EQ(empty.Run(g), "false . | list | sum 0 | probed | clock 0");
    Draw low{{"a", 0}, {"b", -3}, {"c", -100}};
    low.ratingSum = 42;
    EXPECT_EQ(low.Run(g), "false . | list a b c | sum 42 | probed | clock 0");
    EXPECT_TRUE(g.seeds.empty());
}

TEST(WeightedChoice, UnreadableFiles) {
    Draw one{{"gone", 4}};
    ScriptedRandom g1;
    EXPECT_EQ(one.Run(g1.Drawn(12345).Drawn(999)), "false . | list | sum 0 | probed gone | clock 1");

    Draw zeroLeft{{"gone", 1}, {"zero", 0}};
    ScriptedRandom g2;
    EXPECT_EQ(zeroLeft.Run(g2.Drawn(0).Drawn(0)), "false . | list zero | sum 0 | probed gone | clock 1");

    Draw samePath{{"gone", 1}, {"gone", 2}, {"y", 4}};  // dropped one attempt at a time
    samePath.ratingSum = INT32_MIN + 1;  // lowering wraps instead of overflowing
    ScriptedRandom g3;
    g3.Drawn(0).Drawn(0).Drawn(0).Drawn(0).Drawn(0).Drawn(0);
    EXPECT_EQ(samePath.Run(g3), "true y.bmp | list y | sum 2147483646 | probed gone gone y | clock 3");

    Draw all{{"gone1", 1}, {"gone3", 3}, {"gone5", 5}};
    all.ratingSum = 20;
    CrtRandom real;
    const std::string r = all.Run(real);  // probed in a random order, once each
    EXPECT_EQ(r.substr(0, 32) + r.substr(r.size() - 9), "false . | list | sum 11 | probed| clock 3");
}

TEST(BmpExtension, AnyCaseOfBmpAndNothingElse) {
    for (const char* yes : {"BMP", "bmp", "Bmp", "bMp", "bmP"}) EXPECT_TRUE(IsBmpExtension(yes)) << yes;
    for (const char* no : {"", "jpg", "BM", "BMPX", ".bmp", "bm p", "BM\xADP", "\xC2MP"})
        EXPECT_FALSE(IsBmpExtension(no)) << no;
    EXPECT_TRUE(IsBmpExtension(std::string("bmp\0x", 5)));  // as the system sees it
}
