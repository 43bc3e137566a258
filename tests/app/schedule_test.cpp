#include "app/schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kDay = 86400;
// 2026-07-14 00:00 UTC: any fixed midnight serves.
constexpr int32_t kMidnight = 1783987200;

ScheduleSettings Days(int32_t numDays, int32_t lastDays) {
    return {"days", numDays, 1, lastDays, 7};
}

ScheduleSettings Startup(int32_t numStartup, int32_t lastStartup) {
    return {"startup", 1, numStartup, kMidnight, lastStartup};
}

}  // namespace

TEST(ScheduleDays, DueFromTheThresholdOnAndWritesOnlyThen) {
    const ScheduleSettings s = Days(1, kMidnight);
    const ScheduleDecision before = DecideSchedule(s, kMidnight + kDay - 1);
    EXPECT_FALSE(before.changeDue);
    EXPECT_FALSE(before.writeMarker);

    const ScheduleDecision at = DecideSchedule(s, kMidnight + kDay);
    EXPECT_TRUE(at.changeDue);
    EXPECT_TRUE(at.writeMarker);
    EXPECT_FALSE(at.startupKind);
    EXPECT_EQ(at.lastStartup, 7);  // the counter is not this kind's business
}

TEST(ScheduleDays, YesterdaysMidnightIsDueAtAnyHourToday) {
    for (int64_t hour = 0; hour < 24; ++hour) {
        EXPECT_TRUE(DecideSchedule(Days(1, kMidnight - kDay), kMidnight + hour * 3600).changeDue)
            << hour;
        EXPECT_FALSE(DecideSchedule(Days(1, kMidnight), kMidnight + hour * 3600).changeDue)
            << hour;
    }
}

TEST(ScheduleDays, ThresholdDoesNotOverflowThirtyTwoBits) {
    // 32000 days is about 87 years: never due within the 32-bit time range.
    EXPECT_FALSE(DecideSchedule(Days(32000, kMidnight), INT32_MAX).changeDue);
    EXPECT_FALSE(DecideSchedule(Days(32000, INT32_MAX), INT32_MAX).changeDue);
    EXPECT_TRUE(DecideSchedule(Days(32000, kMidnight), int64_t{kMidnight} + 32000LL * kDay).changeDue);
    // Hand-edited extremes stay well defined (UBSan watches the native build).
    EXPECT_TRUE(DecideSchedule(Days(INT32_MIN, INT32_MIN), 0).changeDue);
    EXPECT_FALSE(DecideSchedule(Days(INT32_MAX, INT32_MAX), INT32_MAX).changeDue);
}

TEST(ScheduleDays, ClockSetBackWaitsForTheStoredThreshold) {
    const int32_t future = kMidnight + 10 * kDay;
    EXPECT_FALSE(DecideSchedule(Days(1, future), kMidnight).changeDue);
    EXPECT_FALSE(DecideSchedule(Days(1, future), future + kDay - 1).changeDue);
    EXPECT_TRUE(DecideSchedule(Days(1, future), future + kDay).changeDue);
}

TEST(ScheduleStartup, CounterSequenceChangesOnTheThirdLogon) {
    ScheduleSettings s = Startup(3, 0);
    std::vector<std::pair<bool, int32_t>> runs;  // due, counter to store
    for (int run = 0; run < 3; ++run) {
        const ScheduleDecision d = DecideSchedule(s, kMidnight);
        EXPECT_TRUE(d.writeMarker && d.startupKind);
        runs.emplace_back(d.changeDue, d.lastStartup);
        s.lastStartup = d.lastStartup;
    }
    EXPECT_EQ(runs, (std::vector<std::pair<bool, int32_t>>{{false, 1}, {false, 2}, {true, 0}}));
}

TEST(ScheduleStartup, EveryLogonChangesWhenTheCountIsReachedOrSmall) {
    for (const ScheduleSettings& s :
         {Startup(3, 3), Startup(3, 50), Startup(0, 0), Startup(1, 0), Startup(-5, 0),
          Startup(3, INT32_MAX), Startup(INT32_MAX, INT32_MAX)}) {
        const ScheduleDecision d = DecideSchedule(s, kMidnight);
        EXPECT_TRUE(d.changeDue) << s.numStartup << " " << s.lastStartup;
        EXPECT_TRUE(d.writeMarker);
        EXPECT_EQ(d.lastStartup, 0);
    }
    // A negative counter is raised like any other.
    const ScheduleDecision d = DecideSchedule(Startup(1, -3), kMidnight);
    EXPECT_FALSE(d.changeDue);
    EXPECT_EQ(d.lastStartup, -2);
}

TEST(ScheduleKind, OnlyTheExactWordsCount) {
    for (const char* kind : {"Days", "DAYS", "", "day", "days ", "Startup", "startup\t", "weeks"}) {
        ScheduleSettings s{kind, 1, 1, kMidnight - 5 * kDay, 4};
        const ScheduleDecision d = DecideSchedule(s, kMidnight);
        EXPECT_FALSE(d.changeDue) << '"' << kind << '"';
        EXPECT_FALSE(d.writeMarker) << '"' << kind << '"';
        EXPECT_EQ(d.lastStartup, 4);
    }
}
