#include "app/schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace {
constexpr int32_t kDay = 86400;
constexpr int32_t kMid = 1783987200;  // any fixed midnight
// Due, marker written, marker is LastStartup, counter kept.
using D = std::tuple<bool, bool, bool, int32_t>;
}  // namespace

TEST(Schedule, DecisionTable) {
    const struct {
        ScheduleSettings s;
        int64_t now;
        D want;
    } rows[] = {
        {{"days", 1, 1, kMid, 7}, kMid + kDay - 1, {false, false, false, 7}},
        {{"days", 1, 1, kMid, 7}, kMid + kDay, {true, true, false, 7}},  // now == threshold
        {{"days", 32000, 1, kMid, 7}, INT32_MAX, {false, false, false, 7}},
        {{"days", 32000, 1, kMid, 7}, kMid + 32000LL * kDay, {true, true, false, 7}},
        // Every third logon: the counter runs 1, 2, 0.
        {{"startup", 1, 3, kMid, 0}, kMid, {false, true, true, 1}},
        {{"startup", 1, 3, kMid, 1}, kMid, {false, true, true, 2}},
        {{"startup", 1, 3, kMid, 2}, kMid, {true, true, true, 0}},
        {{"startup", 1, 3, kMid, 3}, kMid, {true, true, true, 0}},
        {{"startup", 1, 0, kMid, 0}, kMid, {true, true, true, 0}},
        {{"startup", 1, 3, kMid, INT32_MAX}, kMid, {true, true, true, 0}},  // raised in 64 bits
        {{"startup", 1, 1, kMid, -3}, kMid, {false, true, true, -2}},
        // Only the exact words count.
        {{"Days", 1, 1, kMid - 5 * kDay, 4}, kMid, {false, false, false, 4}},
        {{"days ", 1, 1, kMid - 5 * kDay, 4}, kMid, {false, false, false, 4}},
        {{"startup\t", 1, 1, kMid - 5 * kDay, 4}, kMid, {false, false, false, 4}},
    };
    for (const auto& r : rows) {
        const ScheduleDecision d = DecideSchedule(r.s, r.now);
        EXPECT_EQ(D(d.changeDue, d.writeMarker, d.startupKind, d.lastStartup), r.want) << &r - rows;
    }
}
