#include "harness.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr int kMessageBoxTextId = 0xFFFF;

struct Watch {
    DWORD pid;
    const RunOptions* options;
    RunResult* result;
    std::vector<HWND>* answered;
};

bool Contains(const std::vector<HWND>& handled, HWND hwnd) {
    for (HWND h : handled)
        if (h == hwnd) return true;
    return false;
}

std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM param) {
    auto& w = *reinterpret_cast<Watch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid != w.pid || std::string(cls) != kDialogClass || !IsWindowVisible(hwnd) ||
        Contains(*w.answered, hwnd))
        return TRUE;
    w.answered->push_back(hwnd);
    if (HWND textItem = GetDlgItem(hwnd, kMessageBoxTextId)) {
        Box box{WindowText(hwnd), WindowText(textItem)};
        w.result->boxes.push_back(box);
        const int command = w.options->answer ? w.options->answer(box) : IDOK;
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    } else if (!w.result->sawMainWindow) {
        w.result->sawMainWindow = true;
        if (w.options->onMainWindow) w.options->onMainWindow(hwnd);
    }
    return TRUE;
}

HKEY OpenSettings(REGSAM access, bool create) {
    HKEY key = nullptr;
    const LONG rc = create ? RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, access,
                                             nullptr, &key, nullptr)
                           : RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

const char* const kSettingsKey = "Software\\Zarnovell Software\\Velunda\\1.0";

std::string ProgramDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\'));
    return dir;
}

std::string VelundaPath() { return ProgramDir() + "\\Velunda.exe"; }

RunResult Run(const std::string& arguments, const RunOptions& options) {
    const std::string program = options.program.empty() ? VelundaPath() : options.program;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + program);

    RunResult result;
    std::vector<HWND> seen;
    Watch watch{process.dwProcessId, &options, &result, &seen};
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    for (;;) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            result.finished = true;
            break;
        }
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&watch));
        if (std::chrono::steady_clock::now() > deadline) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

void DeleteSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zarnovell Software\\Velunda");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Zarnovell Software");  // only when empty
}

void SetDword(const std::string& name, uint32_t value) {
    HKEY key = OpenSettings(KEY_WRITE, true);
    if (!key) throw std::runtime_error("cannot create the settings key");
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    RegCloseKey(key);
}

void SetString(const std::string& name, const std::string& value) {
    HKEY key = OpenSettings(KEY_WRITE, true);
    if (!key) throw std::runtime_error("cannot create the settings key");
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

std::optional<std::vector<uint8_t>> GetRaw(const std::string& name, DWORD* type) {
    HKEY key = OpenSettings(KEY_READ, false);
    if (!key) return std::nullopt;
    DWORD size = 0;
    DWORD storedType = 0;
    std::optional<std::vector<uint8_t>> bytes;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &storedType, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<uint8_t> data(size);
        if (RegQueryValueExA(key, name.c_str(), nullptr, &storedType, data.data(), &size) ==
            ERROR_SUCCESS) {
            data.resize(size);
            bytes = std::move(data);
            if (type) *type = storedType;
        }
    }
    RegCloseKey(key);
    return bytes;
}

std::optional<uint32_t> GetDword(const std::string& name) {
    DWORD type = 0;
    auto raw = GetRaw(name, &type);
    if (!raw || type != REG_DWORD || raw->size() != 4) return std::nullopt;
    return static_cast<uint32_t>((*raw)[0] | (*raw)[1] << 8 | (*raw)[2] << 16 |
                                 static_cast<uint32_t>((*raw)[3]) << 24);
}

std::optional<std::string> GetString(const std::string& name) {
    DWORD type = 0;
    auto raw = GetRaw(name, &type);
    if (!raw || type != REG_SZ) return std::nullopt;
    std::string text(raw->begin(), raw->end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::string MakeTempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned n = GetTickCount();; ++n) {
        const std::string dir = std::string(base) + "velunda-e2e-" + std::to_string(n);
        if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + dir);
    }
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
    std::vector<uint8_t> bmp = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
        0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 255, 0, 255, 0, 0, 0,
        255, 0, 0, 255, 255, 255, 0, 0};
    WriteBytes(path, bmp);
}

int32_t TodayMidnight() {
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    local.tm_sec = local.tm_min = local.tm_hour = 0;
    return static_cast<int32_t>(std::mktime(&local));
}

}  // namespace e2e
