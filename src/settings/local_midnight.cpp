#include "settings/local_midnight.h"

std::time_t LocalMidnight(std::time_t now) {
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0) return now;
#else
    if (localtime_r(&now, &local) == nullptr) return now;
#endif
    local.tm_sec = 0;
    local.tm_min = 0;
    local.tm_hour = 0;
    return std::mktime(&local);
}
