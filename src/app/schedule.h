#pragma once

#include <cstdint>
#include <string_view>

// What a logon run does, given the schedule settings and the current time.
struct ScheduleDecision {
    bool changeDue = false;
    bool writeMarker = false;  // write the change marker (before any choice)
    bool startupKind = false;  // the marker is LastStartup, not LastDays
    int32_t lastStartup = 0;   // the counter to keep (and store, for "startup")
};

struct ScheduleSettings {
    std::wstring_view timeType;
    int32_t numDays = 0;
    int32_t numStartup = 0;
    int32_t lastDays = 0;
    int32_t lastStartup = 0;
};

ScheduleDecision DecideSchedule(const ScheduleSettings& settings, int64_t now);
