#pragma once
// The benchmarks' way of starting the program they measure.
#include <windows.h>

#include <string>

#include "win/handles.h"

// A program started with only its own quoted name as its command line; empty
// handles when it could not be started.
struct StartedProgram {
    PROCESS_INFORMATION info{};
    win::UniqueHandle thread, process;

    explicit StartedProgram(const char* exe) {
        std::string commandLine = std::string("\"") + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info))
            return;
        thread.reset(info.hThread);
        process.reset(info.hProcess);
    }
    explicit operator bool() const { return info.hProcess != nullptr; }
};
