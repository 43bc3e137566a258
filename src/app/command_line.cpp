#include "app/command_line.h"

std::wstring ArgumentText(const wchar_t* commandLine) {
    const wchar_t* p = commandLine ? commandLine : L"";
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p && *p > L' ') ++p;
    }
    while (*p && *p <= L' ') ++p;
    return p;
}

bool IsLogonRun(std::wstring_view argumentText) { return argumentText.substr(0, 8) == L"/startup"; }

bool IsNextRun(std::wstring_view argumentText) {
    while (!argumentText.empty() && argumentText.back() <= L' ') argumentText.remove_suffix(1);
    return argumentText == L"/next";
}
