#include "settings/local_midnight.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The breakdown's daylight-saving flag is kept, so on the change days the result is an hour off
// the true midnight once the clock has changed. Paris: 07-14 17:00; 03-29 01:30 and 12:00;
// 10-25 02:30 and 12:00.
TEST(LocalMidnight, ParisIncludingChangeDays) {
    setenv("TZ", "Europe/Paris", 1);  // each test runs in a process of its own
    tzset();
    // clang-format off
    const std::pair<std::time_t, std::time_t> cases[] = {{1784041234, 1783980000},
        {1774744200, 1774738800}, {1774778400, 1774735200}, {1792888200, 1792879200},
        {1792926000, 1792882800}};
    // clang-format on
    for (auto [now, midnight] : cases) EXPECT_EQ(LocalMidnight(now), midnight) << now;
}
