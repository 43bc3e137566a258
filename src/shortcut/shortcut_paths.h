#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths of the logon shortcut. Each must fit a MAX_PATH (260-byte) buffer
// with its terminator; one that does not is no path at all, and the shortcut
// is then neither written nor deleted.

// "Velunda.exe" in the drive and directory of the running program's file,
// whatever that file is called.
std::optional<std::string> LogonShortcutTarget(std::string_view programPath);

// "Velunda.lnk" in the Startup folder (given without a trailing separator).
std::optional<std::string> LogonShortcutFile(std::string_view startupFolder);
