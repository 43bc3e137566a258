#pragma once

#include <ctime>

#include "settings/settings.h"

// The settings in the current user's registry. Failures are silent, but for
// the out-of-memory message; every key level opened is closed on return.

// Reads the values in field order, each field taking its value as soon as it
// is read. False at the first of the five leading values that is missing or
// unreadable: there are no settings yet. A missing LastDays becomes the
// local midnight of `now`, a missing LastStartup 0. Then Formats and
// Position, then Monitors: each a REG_DWORD of 4 bytes in range, else 0, -1
// and 0, as 1.0; and Placement, a REG_BINARY WINDOWPLACEMENT, else none.
bool LoadSettings(Settings& settings, std::time_t now);

// Writes all seven values in order, then Formats (always, 0 or 1), Position
// (0..5; otherwise the value is deleted), Monitors (always, 0 or 1), and
// Placement when there is one (never deleted), creating the key when missing;
// stops at the first failure, leaving what was written.
bool SaveSettings(const Settings& settings);

// Writes the change marker alone: LastStartup as the settings hold it, or
// LastDays as the local midnight of `now`.
void SaveChangeMarker(const Settings& settings, bool startupKind, std::time_t now);
