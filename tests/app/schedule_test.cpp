#include "app/schedule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

TEST(Schedule, DecisionTable) {
    constexpr int32_t kDay = 86400, kMid = 1783987200;  // any fixed midnight
    using D =
        std::tuple<bool, bool, bool, int32_t>;  // due, marker written, it is LastStartup, counter
    const std::tuple<ScheduleSettings, int64_t, D> rows[] = {
        {{L"days", 1, 1, kMid, 7}, kMid + kDay - 1, {false, false, false, 7}},
        {{L"days", 1, 1, kMid, 7}, kMid + kDay, {true, true, false, 7}},
        {{L"days", 32000, 1, kMid, 7}, INT32_MAX, {false, false, false, 7}},  // no overflow
        // Every third logon: the counter runs 1, 2, 0; raised in 64 bits.
        {{L"startup", 1, 3, kMid, 0}, kMid, {false, true, true, 1}},
        {{L"startup", 1, 3, kMid, 2}, kMid, {true, true, true, 0}},
        {{L"startup", 1, 3, kMid, INT32_MAX}, kMid, {true, true, true, 0}},
        // Only the exact words count.
        {{L"Days", 1, 1, kMid - 5 * kDay, 4}, kMid, {false, false, false, 4}},
        {{L"startup\t", 1, 1, kMid - 5 * kDay, 4}, kMid, {false, false, false, 4}}};
    for (const auto& [settings, now, want] : rows) {
        const ScheduleDecision d = DecideSchedule(settings, now);
        EXPECT_EQ(D(d.changeDue, d.writeMarker, d.startupKind, d.lastStartup), want) << now;
    }
}
