#pragma once

#include <windows.h>

// The cause number (0 to 14) that the list messages show for a system error.
int FileCauseFromError(DWORD error);
