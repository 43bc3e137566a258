#include "app/schedule.h"

namespace {
constexpr int64_t kSecondsPerDay = 86400;
}

ScheduleDecision DecideSchedule(const ScheduleSettings& s, int64_t now) {
    ScheduleDecision d;
    d.lastStartup = s.lastStartup;
    if (s.timeType == "days") {
        // 64-bit: NumDays up to 32000 days must not overflow the threshold.
        const int64_t threshold = int64_t{s.lastDays} + int64_t{s.numDays} * kSecondsPerDay;
        d.changeDue = threshold <= now;
        d.writeMarker = d.changeDue;
    } else if (s.timeType == "startup") {
        // Wraps like the 32-bit counter it mirrors, without signed overflow.
        d.lastStartup = static_cast<int32_t>(static_cast<uint32_t>(s.lastStartup) + 1u);
        d.changeDue = d.lastStartup >= s.numStartup;
        if (d.changeDue) d.lastStartup = 0;
        d.writeMarker = true;
        d.startupKind = true;
    }
    return d;
}
