// The draw's frequencies with the real generator, against the probabilities
// that the threshold table and the position formula give.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <sstream>
#include <vector>

#include "choice/crt_random.h"
#include "choice/weighted_choice.h"

namespace {

constexpr int kDraws = 1'000'000;
constexpr double kSignificance = 1e-6;

// Generator values (of 32768) that give the thresholds 1 to 5.
constexpr int64_t kThresholdValues[6] = {0, 2341, 4681, 7022, 9362, 9362};

// Generator values that put the position at p among n candidates:
// p = floor(32769 * n * r / 2^30).
int64_t PositionValues(int64_t n, int64_t p) {
    int64_t count = 0;
    for (int64_t r = 0; r < 32768; ++r)
        if (32769 * n * r / (int64_t{1} << 30) == p) ++count;
    return count;
}

// Each entry's chance on a first attempt where every file opens: thresholds
// without candidates are redrawn, which scales the others up.
std::vector<double> Expected(const std::vector<int>& ratings) {
    int64_t live = 0;
    for (int t = 1; t <= 5; ++t)
        for (int r : ratings)
            if (r >= t) { live += kThresholdValues[t]; break; }
    std::vector<double> p(ratings.size(), 0.0);
    for (int t = 1; t <= 5; ++t) {
        std::vector<size_t> candidates;
        for (size_t i = 0; i < ratings.size(); ++i)
            if (ratings[i] >= t) candidates.push_back(i);
        for (size_t k = 0; k < candidates.size(); ++k)
            p[candidates[k]] += double(kThresholdValues[t]) / double(live) *
                                double(PositionValues(int64_t(candidates.size()), int64_t(k))) / 32768.0;
    }
    return p;
}

// Upper tail of the chi-square distribution with `df` degrees of freedom.
double ChiSquareTail(double x, int df) {
    const double y = x / 2;
    double sum = 0, term;
    if (df % 2 == 0) {
        term = 1;  // y^i / i!
        for (int i = 0; i < df / 2; ++i) { sum += term; term *= y / (i + 1); }
        return std::exp(-y) * sum;
    }
    term = std::sqrt(y) / std::tgamma(1.5);  // y^(i+1/2) / Gamma(i+3/2)
    for (int i = 0; i < df / 2; ++i) { sum += term; term *= y / (i + 1.5); }
    return std::erfc(std::sqrt(y)) + std::exp(-y) * sum;
}

double ChiSquareCritical(int df, double significance) {
    double lo = 0, hi = 1000;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (ChiSquareTail(mid, df) > significance ? lo : hi) = mid;
    }
    return hi;
}

// Draws kDraws times, one clock second apart as logons are, and returns how
// often each entry came up.
std::vector<int64_t> Frequencies(const std::vector<int>& ratings) {
    CWallpaperList list;
    int32_t sum = 0;
    for (size_t i = 0; i < ratings.size(); ++i) {
        list.AddTail({"bmp", std::to_string(i), ratings[i]});
        sum += ratings[i];
    }
    CrtRandom generator;
    std::time_t now = 1'700'000'000;
    std::string path, ext;
    std::vector<int64_t> counts(ratings.size(), 0);
    for (int i = 0; i < kDraws; ++i) {
        EXPECT_TRUE(DrawWallpaper(list, sum, generator, [&] { return now++; },
                                  [](const std::string&) { return true; }, path, ext));
        ++counts[std::stoul(path)];
    }
    return counts;
}

void ExpectFitsChiSquare(const std::vector<int>& ratings) {
    const std::vector<double> p = Expected(ratings);
    const std::vector<int64_t> observed = Frequencies(ratings);
    double chi2 = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const double e = p[i] * kDraws;
        chi2 += (double(observed[i]) - e) * (double(observed[i]) - e) / e;
    }
    const int df = int(p.size()) - 1;
    const double critical = ChiSquareCritical(df, kSignificance);
    std::ostringstream detail;
    for (size_t i = 0; i < p.size(); ++i) detail << ' ' << double(observed[i]) / kDraws << '/' << p[i];
    EXPECT_LT(chi2, critical) << "df " << df << ", observed/expected:" << detail.str();
}

}  // namespace

TEST(ChiSquare, CriticalValuesMatchTheTables) {
    // Published quantiles at 0.001, and the 1e-6 ones used below.
    EXPECT_NEAR(ChiSquareCritical(1, 1e-3), 10.828, 1e-3);
    EXPECT_NEAR(ChiSquareCritical(2, 1e-3), 13.816, 1e-3);
    EXPECT_NEAR(ChiSquareCritical(4, 1e-3), 18.467, 1e-3);
    EXPECT_NEAR(ChiSquareCritical(1, 1e-6), 23.928, 1e-3);
}

TEST(WeightedChoiceOdds, ExpectedFiguresAreTheDocumentedOnes) {
    const auto two = Expected({5, 1});
    EXPECT_DOUBLE_EQ(two[1], 2341.0 / 65536);
    EXPECT_NEAR(two[0], 0.964, 0.0005);
    const auto five = Expected({5, 4, 3, 2, 1});
    const double percent[] = {55.0, 26.4, 12.1, 5.0, 1.4};
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(five[i] * 100, percent[i], 0.05) << i;
    const auto three = Expected({3, 3, 2});
    EXPECT_NEAR(three[0], 5.0 / 12, 1e-4);
    EXPECT_NEAR(three[1], 5.0 / 12, 1e-4);
    EXPECT_NEAR(three[2], 1.0 / 6, 1e-4);
}

TEST(WeightedChoiceOdds, FiveAndOne) { ExpectFitsChiSquare({5, 1}); }
TEST(WeightedChoiceOdds, OneOfEachRating) { ExpectFitsChiSquare({5, 4, 3, 2, 1}); }
TEST(WeightedChoiceOdds, ThreeThreeTwo) { ExpectFitsChiSquare({3, 3, 2}); }

TEST(WeightedChoice, EveryFileUnreadable) {
    CWallpaperList list;
    for (int r : {1, 3, 5}) list.AddTail({"bmp", std::string{'g', char('0' + r)}, r});
    int32_t sum = 20;
    CrtRandom generator;
    std::time_t now = 1'700'000'000;
    int probes = 0;
    std::string path = "old", ext = "old";
    EXPECT_FALSE(DrawWallpaper(list, sum, generator, [&] { return now++; },
                               [&](const std::string&) { ++probes; return false; }, path, ext));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(sum, 11);
    EXPECT_EQ(probes, 3);
    EXPECT_EQ(path, "");
    EXPECT_EQ(ext, "");
}
