#include "app/schedule.h"

namespace {
constexpr int64_t kSecondsPerDay = 86400;
}

ScheduleDecision DecideSchedule(const ScheduleSettings& s, int64_t now) {
    ScheduleDecision d;
    d.lastStartup = s.lastStartup;
    if (s.timeType == L"days") {
        // 64-bit: NumDays up to 32000 days must not overflow the threshold.
        const int64_t threshold = int64_t{s.lastDays} + int64_t{s.numDays} * kSecondsPerDay;
        d.changeDue = threshold <= now;
        d.writeMarker = d.changeDue;
    } else if (s.timeType == L"startup") {
        // Raised in 64 bits: a counter already at its maximum is due (it
        // cannot be below any NumStartup) instead of wrapping to a negative
        // count that would hold off every change.
        const int64_t raised = int64_t{s.lastStartup} + 1;
        d.changeDue = raised >= s.numStartup;
        d.lastStartup = d.changeDue ? 0 : static_cast<int32_t>(raised);
        d.writeMarker = true;
        d.startupKind = true;
    }
    return d;
}
