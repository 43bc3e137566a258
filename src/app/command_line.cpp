#include "app/command_line.h"

std::string ArgumentText(const char* commandLine) {
    const char* p = commandLine ? commandLine : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && static_cast<unsigned char>(*p) > ' ') ++p;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
    return p;
}

bool IsLogonRun(std::string_view argumentText) { return argumentText.substr(0, 8) == "/startup"; }

bool IsNextRun(std::string_view argumentText) {
    while (!argumentText.empty() && static_cast<unsigned char>(argumentText.back()) <= ' ')
        argumentText.remove_suffix(1);
    return argumentText == "/next";
}
