#pragma once

#include <windows.h>

// Creates "Velunda.lnk" in the user's Startup folder, pointing at
// "Velunda.exe" beside the running program with the argument "/startup",
// when `startup` is set; deletes it otherwise. Shell failures are silent:
// the shortcut is then left as it was. `owner` parents any shell UI.
void UpdateLogonShortcut(bool startup, HWND owner);
