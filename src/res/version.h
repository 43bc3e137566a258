#pragma once
// The version as the resources show it, "1.2"; its two numbers come from the
// build (CMake's project version).
#define VELUNDA_VERSION_STR2(n) #n
#define VELUNDA_VERSION_STR(n) VELUNDA_VERSION_STR2(n)
#define VELUNDA_VERSION_TEXT \
    VELUNDA_VERSION_STR(VELUNDA_VERSION_MAJOR) "." VELUNDA_VERSION_STR(VELUNDA_VERSION_MINOR)
