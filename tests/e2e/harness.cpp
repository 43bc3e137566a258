#include "harness.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace e2e {

const char* const kSettingsKey = "Software\\Zarnovell Software\\Velunda\\1.0";

std::string VelundaPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.erase(dir.find_last_of('\\')) + "\\Velunda.exe";
}

RunResult Run(const std::string& arguments, const RunOptions& options) {
    const std::string program = options.program.empty() ? VelundaPath() : options.program;
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + program);
    RunResult result;
    std::vector<HWND> seen;
    // Each new visible dialog of the process: a message box (it has the
    // static text 0xFFFF) or, once, the main window.
    auto text = [](HWND hwnd) {
        char buffer[1024] = {};
        GetWindowTextA(hwnd, buffer, sizeof buffer);
        return std::string(buffer);
    };
    auto visit = [&](HWND hwnd) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (pid != process.dwProcessId || std::string(cls) != "#32770" || !IsWindowVisible(hwnd) ||
            std::find(seen.begin(), seen.end(), hwnd) != seen.end())
            return;
        seen.push_back(hwnd);
        if (HWND textItem = GetDlgItem(hwnd, 0xFFFF)) {
            result.boxes.push_back({text(hwnd), text(textItem)});
            const int command = options.answer ? options.answer(result.boxes.back()) : IDOK;
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        } else if (!result.sawMainWindow) {
            result.sawMainWindow = true;
            if (options.onMainWindow) options.onMainWindow(hwnd);
        }
    };
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    while (!(result.finished = WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)) {
        EnumWindows([](HWND hwnd, LPARAM p) {
            (*reinterpret_cast<decltype(visit)*>(p))(hwnd);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&visit));
        if (std::chrono::steady_clock::now() > deadline) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

void DeleteSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software\\Velunda");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");  // only when empty
}

void SetDword(const std::string& name, uint32_t value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_DWORD, &value, 4);
}

void SetString(const std::string& name, const std::string& value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

std::optional<uint32_t> GetDword(const std::string& name) {
    uint32_t value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_DWORD, nullptr,
                     &value, &size) || size != 4)
        return std::nullopt;
    return value;
}

std::optional<std::string> GetString(const std::string& name) {
    std::string text(4096, '\0');
    DWORD size = static_cast<DWORD>(text.size());
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &size))
        return std::nullopt;
    return text.c_str();
}

std::string MakeTempDir() {
    char base[MAX_PATH] = {}, path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    if (!GetTempFileNameA(base, "vel", 0, path) || !DeleteFileA(path) || !CreateDirectoryA(path, nullptr))
        throw std::runtime_error("cannot create a folder in " + std::string(base));
    return path;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBitmap(const std::string& path) {
    // 14-byte file header, 40-byte info header, two rows of 2 pixels padded to 8 bytes.
    WriteBytes(path, {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
                      0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                      0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
}

int32_t TodayMidnight() {
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    local.tm_sec = local.tm_min = local.tm_hour = 0;
    return static_cast<int32_t>(std::mktime(&local));
}

}  // namespace e2e
