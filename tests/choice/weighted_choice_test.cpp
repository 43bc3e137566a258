#include "choice/weighted_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <vector>

namespace {

// Plays back a script of generator values and records how it was used. The
// draw keeps only the last of each 1000-call warm-up, so the 999 values before
// it are filled with noise that would change the result if it were used.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom& Drawn(int value) {
        for (int i = 0; i < 999; ++i) values.push_back((value + 7919 * (i + 1)) % 32768);
        values.push_back(value);
        return *this;
    }
    ScriptedRandom& Redrawn(int value) {
        values.push_back(value);
        return *this;
    }
    void Seed(uint32_t seed) override { seeds.push_back(seed); }
    int Next() override {
        if (values.empty()) {
            ADD_FAILURE() << "the draw used more generator values than scripted";
            return 0;
        }
        const int v = values.front();
        values.pop_front();
        return v;
    }

    std::deque<int> values;
    std::vector<uint32_t> seeds;
};

struct Draw {
    CWallpaperList list;
    int32_t ratingSum = 0;
    std::time_t now = 1'700'000'000;
    int clockCalls = 0;
    std::set<std::string> unreadable;
    std::vector<std::string> probed;
    std::string path = "old", ext = "old";

    Draw(std::initializer_list<CWallpaperEntry> entries) {
        for (const auto& e : entries) {
            list.AddTail(e);
            ratingSum += e.rating;
        }
    }
    bool Run(RandomSource& generator) {
        return DrawWallpaper(
            list, ratingSum, generator,
            [this] { ++clockCalls; return now++; },
            [this](const std::string& p) {
                probed.push_back(p);
                return unreadable.count(p) == 0;
            },
            path, ext);
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> out;
        for (const auto& e : list) out.push_back(e.path);
        return out;
    }
};

CWallpaperEntry Bmp(std::string path, int32_t rating) { return {"bmp", std::move(path), rating}; }

// One entry per rating 1..5: with position value 0 the pick's rating is the
// threshold that was drawn.
int ThresholdFor(int r) {
    Draw d{Bmp("t1", 1), Bmp("t2", 2), Bmp("t3", 3), Bmp("t4", 4), Bmp("t5", 5)};
    ScriptedRandom g;
    g.Drawn(r).Drawn(0);
    EXPECT_TRUE(d.Run(g));
    EXPECT_TRUE(g.values.empty());
    return d.path[1] - '0';
}

std::string PickAmong(int n, int r) {
    Draw d{};
    for (int i = 0; i < n; ++i) d.list.AddTail(Bmp(std::string{'p', char('0' + i)}, 3));
    ScriptedRandom g;
    g.Drawn(0).Drawn(r);
    EXPECT_TRUE(d.Run(g));
    EXPECT_TRUE(g.values.empty());
    return d.path;
}

}  // namespace

TEST(WeightedChoice, ThresholdTableBoundaries) {
    EXPECT_EQ(ThresholdFor(0), 1);
    EXPECT_EQ(ThresholdFor(2340), 1);
    EXPECT_EQ(ThresholdFor(2341), 2);
    EXPECT_EQ(ThresholdFor(7021), 2);
    EXPECT_EQ(ThresholdFor(7022), 3);
    EXPECT_EQ(ThresholdFor(14043), 3);
    EXPECT_EQ(ThresholdFor(14044), 4);
    EXPECT_EQ(ThresholdFor(23405), 4);
    EXPECT_EQ(ThresholdFor(23406), 5);
    EXPECT_EQ(ThresholdFor(32767), 5);  // index 13, still inside the table
}

TEST(WeightedChoice, PositionBoundaries) {
    EXPECT_EQ(PickAmong(1, 32767), "p0");
    EXPECT_EQ(PickAmong(2, 16383), "p0");
    EXPECT_EQ(PickAmong(2, 16384), "p1");
    EXPECT_EQ(PickAmong(2, 32767), "p1");
    EXPECT_EQ(PickAmong(3, 10922), "p0");
    EXPECT_EQ(PickAmong(3, 10923), "p1");
    EXPECT_EQ(PickAmong(3, 21844), "p1");
    EXPECT_EQ(PickAmong(3, 21845), "p2");
    EXPECT_EQ(PickAmong(3, 32767), "p2");
}

TEST(WeightedChoice, CandidatesAreTheEntriesRatedAtLeastTheThresholdInListOrder) {
    Draw d{Bmp("a", 5), Bmp("b", 2), Bmp("c", 3), Bmp("d", 7), Bmp("e", 0)};
    ScriptedRandom g;
    g.Drawn(7022).Drawn(21845);  // threshold 3: a, c, d; third one
    EXPECT_TRUE(d.Run(g));
    EXPECT_EQ(d.path, "d");
    EXPECT_EQ(d.ext, "bmp");
    EXPECT_EQ(d.probed, std::vector<std::string>{"d"});
    EXPECT_EQ(d.ratingSum, 17);
    EXPECT_EQ(d.list.GetCount(), 5);
}

TEST(WeightedChoice, AnEmptyThresholdIsMarkedAndLaterRedrawnWithOneCall) {
    Draw d{Bmp("a", 2), Bmp("b", 2)};
    ScriptedRandom g;
    g.Drawn(32767)                   // 5: no candidate, marked
        .Drawn(23406).Redrawn(14044)  // 5 again: one call gives 4, no candidate
        .Drawn(30000).Redrawn(20000)  // 5, then 4: both marked
        .Redrawn(5000)                // 2
        .Drawn(16384);                // second of two
    EXPECT_TRUE(d.Run(g));
    EXPECT_EQ(d.path, "b");
    EXPECT_TRUE(g.values.empty());
    EXPECT_EQ(g.seeds, std::vector<uint32_t>{1'700'000'000});
}

TEST(WeightedChoice, UnreadablePickIsDroppedAndEachAttemptIsSeededAnewKeepingTheMarks) {
    Draw d{Bmp("a", 2), Bmp("gone", 2), Bmp("c", 2)};
    d.unreadable = {"gone"};
    d.ratingSum = 100;  // the stored sum is only ever lowered here
    ScriptedRandom g;
    g.Drawn(32767)           // 5: marked
        .Drawn(3000)         // 2
        .Drawn(10923)        // "gone": dropped
        .Drawn(32767)        // new attempt: 5 is still marked,
        .Redrawn(2341)       //   so a single call redraws: 2
        .Drawn(16384);       // second of a, c
    EXPECT_TRUE(d.Run(g));
    EXPECT_EQ(d.path, "c");
    EXPECT_TRUE(g.values.empty());
    EXPECT_EQ(g.seeds, (std::vector<uint32_t>{1'700'000'000, 1'700'000'001}));
    EXPECT_EQ(d.Paths(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(d.ratingSum, 98);
    EXPECT_EQ(d.probed, (std::vector<std::string>{"gone", "c"}));
}

TEST(WeightedChoice, EmptyListLeavesTheGeneratorAndClockAlone) {
    Draw d{};
    ScriptedRandom g;
    EXPECT_FALSE(d.Run(g));
    EXPECT_EQ(d.path, "");
    EXPECT_EQ(d.ext, "");
    EXPECT_TRUE(g.seeds.empty());
    EXPECT_EQ(d.clockCalls, 0);
    EXPECT_EQ(d.ratingSum, 0);
}

TEST(WeightedChoice, NoEntryRatedOneOrMoreEndsAtOnceWithTheListUnchanged) {
    Draw d{Bmp("a", 0), Bmp("b", -3), Bmp("c", -100)};
    d.ratingSum = 42;
    ScriptedRandom g;
    EXPECT_FALSE(d.Run(g));
    EXPECT_EQ(d.path, "");
    EXPECT_EQ(d.ext, "");
    EXPECT_EQ(d.Paths(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(d.ratingSum, 42);
    EXPECT_TRUE(g.seeds.empty());
    EXPECT_TRUE(d.probed.empty());
}

TEST(WeightedChoice, OnlyLowRatedEntriesLeftAfterADropEndsTheDraw) {
    Draw d{Bmp("gone", 1), Bmp("zero", 0)};
    d.unreadable = {"gone"};
    ScriptedRandom g;
    g.Drawn(0).Drawn(0);  // threshold 1, the only candidate
    EXPECT_FALSE(d.Run(g));
    EXPECT_EQ(d.Paths(), std::vector<std::string>{"zero"});
    EXPECT_EQ(d.ratingSum, 0);
    EXPECT_EQ(g.seeds.size(), 1u);
}

TEST(WeightedChoice, OneEntryWhoseFileIsMissing) {
    Draw d{Bmp("gone", 4)};
    d.unreadable = {"gone"};
    ScriptedRandom g;
    g.Drawn(12345).Drawn(999);
    EXPECT_FALSE(d.Run(g));
    EXPECT_TRUE(d.list.IsEmpty());
    EXPECT_EQ(d.ratingSum, 0);
    EXPECT_EQ(d.path, "");
    EXPECT_EQ(d.ext, "");
}

TEST(WeightedChoice, TwoEntriesWithTheSamePathAreDroppedOneAttemptAtATime) {
    Draw d{Bmp("x", 1), Bmp("x", 2), Bmp("y", 4)};
    d.unreadable = {"x"};
    ScriptedRandom g;
    g.Drawn(0).Drawn(0)   // first x
        .Drawn(0).Drawn(0)  // the other x, now first
        .Drawn(0).Drawn(0); // y
    EXPECT_TRUE(d.Run(g));
    EXPECT_EQ(d.path, "y");
    EXPECT_EQ(d.probed, (std::vector<std::string>{"x", "x", "y"}));
    EXPECT_EQ(d.ratingSum, 4);
    EXPECT_EQ(g.seeds.size(), 3u);
}

TEST(WeightedChoice, RatingSumWrapsInsteadOfOverflowing) {
    Draw d{Bmp("gone", 1), Bmp("ok", 1)};
    d.ratingSum = INT32_MIN;
    d.unreadable = {"gone"};
    ScriptedRandom g;
    g.Drawn(0).Drawn(0).Drawn(0).Drawn(0);
    EXPECT_TRUE(d.Run(g));
    EXPECT_EQ(d.path, "ok");
    EXPECT_EQ(d.ratingSum, INT32_MAX);  // INT32_MIN - 1 modulo 2^32
}

TEST(BmpExtension, AnyCaseOfBmpAndNothingElse) {
    for (const char* yes : {"BMP", "bmp", "Bmp", "bMp", "bmP"}) EXPECT_TRUE(IsBmpExtension(yes)) << yes;
    for (const char* no : {"", "jpg", "BM", "BMPX", ".bmp", "bm p", "BM\xADP", "\xC2MP"})
        EXPECT_FALSE(IsBmpExtension(no)) << no;
    EXPECT_TRUE(IsBmpExtension(std::string("bmp\0x", 5)));  // as the system sees it
}
