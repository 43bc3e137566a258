#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths of the logon shortcut. Each must fit a MAX_PATH (260-character)
// buffer with its terminator; one that does not is no path at all, and the shortcut
// is then neither written nor deleted.

// "Velunda.exe" in the drive and directory of the running program's file,
// whatever that file is called.
std::optional<std::wstring> LogonShortcutTarget(std::wstring_view programPath);

// "Velunda.lnk" in the Startup folder (given without a trailing separator).
std::optional<std::wstring> LogonShortcutFile(std::wstring_view startupFolder);
