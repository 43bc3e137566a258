#include "app/local_midnight.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Runs each test in Paris time and puts the process's zone back afterwards.
class LocalMidnightParis : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) saved_ = tz;
        setenv("TZ", "Europe/Paris", 1);
        tzset();
    }
    void TearDown() override {
        if (saved_) setenv("TZ", saved_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> saved_;
};

}  // namespace

TEST_F(LocalMidnightParis, OrdinaryDays) {
    // 2026-07-14 17:00 CEST -> 2026-07-14 00:00 CEST = 2026-07-13 22:00 UTC.
    EXPECT_EQ(LocalMidnight(1784041200), 1783980000);
    // Midnight itself is its own day's midnight.
    EXPECT_EQ(LocalMidnight(1783980000), 1783980000);
    // 2026-03-30 11:00 CEST -> 2026-03-29 22:00 UTC.
    EXPECT_EQ(LocalMidnight(1774861200), 1774821600);
}

// The breakdown's daylight-saving flag is kept, so on the two change days
// the result is an hour off the true midnight once the clock has changed.
TEST_F(LocalMidnightParis, SpringChangeDay) {
    // 2026-03-29 01:30 CET, before the change -> 00:00 CET = 03-28 23:00 UTC.
    EXPECT_EQ(LocalMidnight(1774744200), 1774738800);
    // 2026-03-29 12:00 CEST, after it -> "00:00 CEST" = 03-28 22:00 UTC.
    EXPECT_EQ(LocalMidnight(1774778400), 1774735200);
}

TEST_F(LocalMidnightParis, AutumnChangeDay) {
    // 2026-10-25 02:30 CEST, before the change -> 00:00 CEST = 10-24 22:00 UTC.
    EXPECT_EQ(LocalMidnight(1792888200), 1792879200);
    // 2026-10-25 12:00 CET, after it -> "00:00 CET" = 10-24 23:00 UTC.
    EXPECT_EQ(LocalMidnight(1792926000), 1792882800);
}
