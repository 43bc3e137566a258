// The logon shortcut, written and read back through the shell under Wine.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/wallpaper_app.h"
#include "win/handles.h"

namespace {

// Set for a copy of this program started by a test below.
const char* const kChildVariable = "VELUNDA_SHORTCUT_CHILD";

std::string StartupShortcut() {
    char folder[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE));
    return std::string(folder) + "\\Velunda.lnk";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string TempDir(const std::string& suffix = "") {
    char base[MAX_PATH] = {}, dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    GetTempFileNameA(base, "vsc", 0, dir);
    DeleteFileA(dir);
    const std::string path = dir + suffix;
    CreateDirectoryA(dir, nullptr);
    if (!suffix.empty()) CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

struct Link {
    std::string path, arguments, description, icon;
    int iconIndex = -1;
};

Link ReadLink(const std::string& file) {
    Link link;
    win::ComScope com;
    win::ComPtr<IShellLinkA> shell;
    win::ComPtr<IPersistFile> persist;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shell.PutVoid())) ||
        FAILED(shell->QueryInterface(IID_IPersistFile, persist.PutVoid())) ||
        FAILED(persist->Load(wide, STGM_READ))) {
        ADD_FAILURE() << "cannot read " << file;
        return link;
    }
    char text[1024] = {};
    shell->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    link.path = text;
    shell->GetArguments(text, sizeof text);
    link.arguments = text;
    shell->GetDescription(text, sizeof text);
    link.description = text;
    shell->GetIconLocation(text, sizeof text, &link.iconIndex);
    link.icon = text;
    return link;
}

// Runs a copy of this program as `exe`, which writes the shortcut (Startup on).
DWORD RunCopy(const std::string& exe) {
    EXPECT_TRUE(CopyFileA(ThisProgram().c_str(), exe.c_str(), FALSE)) << exe;
    std::string command = "\"" + exe + "\" --gtest_filter=LogonShortcutChild.*";
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    EXPECT_TRUE(started) << GetLastError();
    if (!started) return ~0u;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = ~0u;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

void UpdateWith(bool startup) {
    CWallpaperApp app;
    app.Startup = startup;
    app.UpdateLogonShortcut();
}

class LogonShortcut : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(shortcut.c_str()); }
    void TearDown() override { DeleteFileA(shortcut.c_str()); }
    const std::string shortcut = StartupShortcut();
};

}  // namespace

// Not a test of its own: the body of the copies that RunCopy starts.
TEST(LogonShortcutChild, WriteTheShortcut) {
    if (!std::getenv(kChildVariable)) GTEST_SKIP() << "runs only in a copy started by a test";
    UpdateWith(true);
}

TEST_F(LogonShortcut, ProgramRunningAsCopyExePointsAtVelundaExeBesideIt) {
    const std::string dir = TempDir();
    ASSERT_EQ(RunCopy(dir + "\\copy.exe"), 0u);
    ASSERT_TRUE(Exists(shortcut));
    const Link link = ReadLink(shortcut);
    EXPECT_EQ(link.path, dir + "\\Velunda.exe");
    EXPECT_EQ(link.arguments, "/startup");
    EXPECT_EQ(link.description, "Velunda Application");
    EXPECT_EQ(link.icon, dir + "\\Velunda.exe");
    EXPECT_EQ(link.iconIndex, 0);
}

TEST_F(LogonShortcut, OnReplacesAnExistingShortcutAndLeavesComAsItWas) {
    std::ofstream(shortcut, std::ios::binary) << "not a shortcut";
    UpdateWith(true);
    // COM was uninitialised as often as initialised: this thread starts afresh.
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();

    const std::string program = ThisProgram();
    const std::string dir = program.substr(0, program.find_last_of('\\') + 1);
    const Link link = ReadLink(shortcut);
    EXPECT_EQ(link.path, dir + "Velunda.exe");
    EXPECT_EQ(link.arguments, "/startup");
}

TEST_F(LogonShortcut, OffRemovesTheShortcutAndWithoutOneDoesNothing) {
    UpdateWith(true);
    ASSERT_TRUE(Exists(shortcut));
    UpdateWith(false);
    EXPECT_FALSE(Exists(shortcut));

    const std::string folder = shortcut.substr(0, shortcut.find_last_of('\\'));
    UpdateWith(false);
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_TRUE(Exists(folder));
}

TEST_F(LogonShortcut, TargetTooLongForAPathLeavesTheShortcutAlone) {
    std::ofstream(shortcut, std::ios::binary) << "kept as it was";
    // The copy's own path fits in 259 bytes, but its folder plus "Velunda.exe" does not.
    const std::string base = TempDir();
    const std::string exeName = "\\c.exe";
    const size_t room = 259 - base.size() - exeName.size() - 1;
    const std::string dir = base + "\\" + std::string(room, 'd');
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    ASSERT_EQ((dir + exeName).size(), 259u);
    ASSERT_EQ(RunCopy(dir + exeName), 0u);
    EXPECT_EQ(Contents(shortcut), "kept as it was");
}
