// The real generator, and the draw's frequencies with it against the odds
// that the threshold table and the position formula give.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "choice/crt_random.h"
#include "choice/weighted_choice.h"

namespace {

// Generator values (of 32768) giving the thresholds 1 to 5.
constexpr int64_t kThresholdValues[6] = {0, 2341, 4681, 7022, 9362, 9362};

// Each entry's chance when every file opens: thresholds without candidates
// are redrawn, and position p of n comes from floor(32769 * n * r / 2^30).
std::vector<double> Expected(const std::vector<int>& ratings) {
    std::vector<double> p(ratings.size(), 0.0);
    double live = 0;
    for (int t = 1; t <= 5; ++t) {
        std::vector<size_t> candidates;
        for (size_t i = 0; i < ratings.size(); ++i)
            if (ratings[i] >= t) candidates.push_back(i);
        if (candidates.empty()) continue;
        live += double(kThresholdValues[t]);
        for (int64_t r = 0; r < 32768; ++r)
            p[candidates[size_t(32769 * int64_t(candidates.size()) * r >> 30)]] += double(kThresholdValues[t]) / 32768;
    }
    for (double& x : p) x /= live;
    return p;
}

// Upper tail of the chi-square distribution with df degrees of freedom.
double ChiSquareTail(double x, int df) {
    const double y = x / 2;
    double sum = 0, term = df % 2 ? std::sqrt(y) / std::tgamma(1.5) : 1;
    for (int i = 0; i < df / 2; ++i) { sum += term; term *= y / (i + 1 + (df % 2) * 0.5); }
    return (df % 2 ? std::erfc(std::sqrt(y)) : 0) + std::exp(-y) * sum;
}

double ChiSquareCritical(int df, double significance) {
    double lo = 0, hi = 1000;
    for (int i = 0; i < 200; ++i) (ChiSquareTail((lo + hi) / 2, df) > significance ? lo : hi) = (lo + hi) / 2;
    return hi;
}

}  // namespace

TEST(CrtRandom, TheCStandardSequenceAndJumpingAhead) {
    CrtRandom g;
    g.Seed(1);
    for (int expected : {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086}) EXPECT_EQ(g.Next(), expected);
    for (uint32_t seed : {0u, 1u, 1'700'000'000u, 0xFFFFFFFFu})
        for (int count : {1, 2, 3, 999, 1000, 4097}) {
            CrtRandom stepped, jumped;
            stepped.Seed(seed), jumped.Seed(seed);
            for (int i = 1; i < count; ++i) stepped.Next();
            EXPECT_EQ(jumped.NextNth(count), stepped.Next()) << seed << ' ' << count;
            EXPECT_EQ(jumped.Next(), stepped.Next()) << seed << ' ' << count;
        }
}

TEST(WeightedChoiceOdds, FrequenciesFitTheOddsByChiSquare) {
    // Published quantiles, so the critical values below can be trusted.
    EXPECT_NEAR(ChiSquareCritical(1, 1e-3), 10.828, 1e-3);
    EXPECT_NEAR(ChiSquareCritical(4, 1e-3), 18.467, 1e-3);
    EXPECT_NEAR(Expected({5, 4, 3, 2, 1})[0], 0.550, 5e-4);  // the documented 55.0 %
    EXPECT_DOUBLE_EQ(Expected({5, 1})[1], 2341.0 / 65536);

    constexpr int kDraws = 1'000'000;
    constexpr double kSignificance = 1e-6;  // a false alarm once in a million runs
    for (const std::vector<int>& ratings : {std::vector<int>{5, 1}, {5, 4, 3, 2, 1}, {3, 3, 2}}) {
        CWallpaperList list;
        int32_t sum = 0;
        for (size_t i = 0; i < ratings.size(); ++i) list.AddTail({"bmp", std::to_string(i), ratings[i]});
        CrtRandom generator;
        std::time_t now = 1'700'000'000;  // one second apart, as logons are
        std::string path, ext;
        std::vector<double> observed(ratings.size(), 0);
        for (int i = 0; i < kDraws; ++i) {
            ASSERT_TRUE(DrawWallpaper(list, sum, generator, [&] { return now++; },
                                      [](const std::string&) { return true; }, path, ext));
            ++observed[std::stoul(path)];
        }
        const std::vector<double> p = Expected(ratings);
        double chi2 = 0;
        for (size_t i = 0; i < p.size(); ++i) chi2 += std::pow(observed[i] - p[i] * kDraws, 2) / (p[i] * kDraws);
        const int df = int(p.size()) - 1;
        EXPECT_LT(chi2, ChiSquareCritical(df, kSignificance)) << "df " << df << ", first " << observed[0] / kDraws;
    }
}
