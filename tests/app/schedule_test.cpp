#include "app/schedule.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
constexpr int32_t kDay = 86400;
constexpr int32_t kMid = 1783987200;  // any fixed midnight
}  // namespace

TEST(Schedule, DecisionTable) {
    struct Row {
        const char* kind;
        int32_t numDays, numStartup, lastDays, lastStartup;
        int64_t now;
        bool due, write, startupKind;
        int32_t counter;
    } rows[] = {
        {"days", 1, 1, kMid, 7, kMid + kDay - 1, false, false, false, 7},
        {"days", 1, 1, kMid, 7, kMid + kDay, true, true, false, 7},  // now == threshold
        {"days", 32000, 1, kMid, 7, INT32_MAX, false, false, false, 7},
        {"days", 32000, 1, INT32_MAX, 7, INT32_MAX, false, false, false, 7},
        {"days", 32000, 1, kMid, 7, kMid + 32000LL * kDay, true, true, false, 7},
        {"days", INT32_MIN, 1, INT32_MIN, 7, 0, true, true, false, 7},
        {"days", INT32_MAX, 1, INT32_MAX, 7, INT32_MAX, false, false, false, 7},
        // Clock set back: wait for the stored threshold.
        {"days", 1, 1, kMid + 10 * kDay, 7, kMid, false, false, false, 7},
        {"days", 1, 1, kMid + 10 * kDay, 7, kMid + 11 * kDay, true, true, false, 7},
        // Every third logon: the counter runs 1, 2, 0.
        {"startup", 1, 3, kMid, 0, kMid, false, true, true, 1},
        {"startup", 1, 3, kMid, 1, kMid, false, true, true, 2},
        {"startup", 1, 3, kMid, 2, kMid, true, true, true, 0},
        {"startup", 1, 3, kMid, 3, kMid, true, true, true, 0},
        {"startup", 1, 0, kMid, 0, kMid, true, true, true, 0},
        {"startup", 1, 1, kMid, 0, kMid, true, true, true, 0},
        {"startup", 1, 3, kMid, INT32_MAX, kMid, true, true, true, 0},
        {"startup", 1, INT32_MAX, kMid, INT32_MAX, kMid, true, true, true, 0},
        {"startup", 1, 1, kMid, -3, kMid, false, true, true, -2},
    };
    for (const Row& r : rows) {
        const ScheduleDecision d =
            DecideSchedule({r.kind, r.numDays, r.numStartup, r.lastDays, r.lastStartup}, r.now);
        SCOPED_TRACE(&r - rows);
        EXPECT_EQ(d.changeDue, r.due);
        EXPECT_EQ(d.writeMarker, r.write);
        EXPECT_EQ(d.startupKind, r.startupKind);
        EXPECT_EQ(d.lastStartup, r.counter);
    }
    // Only the exact words count.
    for (const char* kind : {"Days", "DAYS", "", "day", "days ", "Startup", "startup\t", "weeks"}) {
        const ScheduleDecision d = DecideSchedule({kind, 1, 1, kMid - 5 * kDay, 4}, kMid);
        EXPECT_FALSE(d.changeDue || d.writeMarker) << '"' << kind << '"';
        EXPECT_EQ(d.lastStartup, 4) << '"' << kind << '"';
    }
}
