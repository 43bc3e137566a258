#pragma once

// Whole-process tests: run Velunda.exe, answer its windows, read what it left.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Box {
    std::string caption;
    std::string text;
};

struct RunOptions {
    std::chrono::milliseconds timeout{30000};
    std::function<int(const Box&)> answer;     // the command for each box; default IDOK
    std::function<void(HWND)> onMainWindow;    // called once; typically posts WM_CLOSE
    std::string program;                       // default: VelundaPath()
};

struct RunResult {
    bool finished = false;  // false: killed at the timeout
    std::vector<Box> boxes;
    bool sawMainWindow = false;
};

std::string VelundaPath();  // beside the test program
RunResult Run(const std::string& arguments, const RunOptions& options = {});

extern const char* const kSettingsKey;
void DeleteSettings();
void SetDword(const std::string& name, uint32_t value);
void SetString(const std::string& name, const std::string& value);
std::optional<uint32_t> GetDword(const std::string& name);
std::optional<std::string> GetString(const std::string& name);

std::string MakeTempDir();
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path);
void WriteBitmap(const std::string& path);  // a valid 2 x 2, 24-bit bitmap
int32_t TodayMidnight();                     // by the C runtime's local time

}  // namespace e2e
