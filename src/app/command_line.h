#pragma once

#include <string>
#include <string_view>

// The argument text of a full command line: what follows the program's name,
// with the blanks and control characters after the name skipped.
std::wstring ArgumentText(const wchar_t* commandLine);

// True when the argument text selects the logon run: it begins with the
// 8 characters "/startup", in this exact case.
bool IsLogonRun(std::wstring_view argumentText);

// True when the argument text is "/next" alone, blanks after it allowed:
// change the wallpaper now, without a window. An exact word, not a prefix:
// "/nextx" is an interactive run, as every unknown argument is.
bool IsNextRun(std::wstring_view argumentText);
