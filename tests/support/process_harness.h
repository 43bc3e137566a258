#pragma once

// Whole runs of Velunda.exe, and the files they read and leave behind.
#include <fstream>
#include <iterator>
#include <string_view>

#include "support/dialog_driver.h"
#include "win/handles.h"

namespace e2e {

// Runs the program (found first beside the test program) while `script`
// drives its windows, and answers any other box with OK. Gives the boxes, and
// a run still going after 90 s, which is then ended.
inline std::vector<Seen> Run(const std::string& arguments, const DialogDriver::Script& script = {},
                             const std::string& program = "Velunda.exe") {
    std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("cannot start " + program);
    const win::UniqueHandle process(info.hProcess), thread(info.hThread);
    DialogDriver driver(script, info.dwThreadId, IDOK);
    const bool finished = WaitForSingleObject(process.get(), 90000) == WAIT_OBJECT_0;
    if (!finished) TerminateProcess(process.get(), 1);
    driver.Finish();
    if (!finished) driver.seen.emplace_back("still running", program);
    return driver.seen;
}

inline std::string MakeTempDir() {
    char base[MAX_PATH] = {}, path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    if (!GetTempFileNameA(base, "vel", 0, path) || !DeleteFileA(path) ||
        !CreateDirectoryA(path, nullptr))
        throw std::runtime_error("cannot create a folder in " + std::string(base));
    return path;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    if (!(std::ofstream(path, std::ios::binary) << bytes))
        throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path) {  // empty when missing
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace e2e
