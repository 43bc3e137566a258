#pragma once

#include <ctime>

// The local midnight that began the day holding `now`: the local breakdown of
// `now` with hours, minutes and seconds set to 0, converted back. The
// daylight-saving flag stays as the breakdown gave it.
std::time_t LocalMidnight(std::time_t now);
