#pragma once

// Whole-process tests: start Velunda.exe in the current Wine prefix, answer
// its windows while it runs, and read what it left in the registry and on disk.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A message box that the program showed.
struct Box {
    std::string caption;
    std::string text;
};

struct RunOptions {
    std::chrono::milliseconds timeout{30000};
    // Answers each message box (the command posted to it). Default: IDOK.
    std::function<int(const Box&)> answer;
    // Called once for the program's main window (a dialog without the
    // message-box text). Typically posts WM_CLOSE after driving it.
    std::function<void(HWND)> onMainWindow;
    // The program to start; default: Velunda.exe beside the test program.
    std::string program;
};

struct RunResult {
    bool finished = false;      // false: it had to be killed at the timeout
    DWORD exitCode = 0;
    std::vector<Box> boxes;     // every message box, in the order seen
    bool sawMainWindow = false;
};

// The folder of the running test program, without the trailing backslash.
std::string ProgramDir();
// Velunda.exe beside the test program.
std::string VelundaPath();

// Runs the program with the argument text and waits for it to end.
RunResult Run(const std::string& arguments, const RunOptions& options = {});

// The settings key, HKCU\Software\Zarnovell Software\Velunda\1.0.
extern const char* const kSettingsKey;
void DeleteSettings();  // removes "...\Velunda" and, when empty, its parent
void SetDword(const std::string& name, uint32_t value);
void SetString(const std::string& name, const std::string& value);
std::optional<uint32_t> GetDword(const std::string& name);
std::optional<std::string> GetString(const std::string& name);
// The stored bytes and type, whatever the type.
std::optional<std::vector<uint8_t>> GetRaw(const std::string& name, DWORD* type = nullptr);

// A fresh, empty folder under the temporary folder.
std::string MakeTempDir();
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path);
// A valid 2 x 2, 24-bit bitmap file.
void WriteBitmap(const std::string& path);

// Today's local midnight, by the C runtime's local time.
int32_t TodayMidnight();

}  // namespace e2e
