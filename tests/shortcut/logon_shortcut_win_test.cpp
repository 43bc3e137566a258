// The logon shortcut, written and read back through the shell under Wine.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "../e2e/harness.h"
#include "app/wallpaper_app.h"
#include "win/handles.h"

namespace {

const char* const kChildVariable = "VELUNDA_SHORTCUT_CHILD";  // set for the copies RunCopy starts

std::string StartupShortcut() {
    char folder[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE));
    return std::string(folder) + "\\Velunda.lnk";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// "path | arguments | description | icon,index" as the shell reads them back.
std::string ReadLink(const std::string& file) {
    win::ComScope com;
    win::ComPtr<IShellLinkA> shell;
    win::ComPtr<IPersistFile> persist;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell.PutVoid())) ||
        FAILED(shell->QueryInterface(IID_IPersistFile, persist.PutVoid())) || FAILED(persist->Load(wide, STGM_READ)))
        return "unreadable";
    char path[1024] = {}, args[1024] = {}, description[1024] = {}, icon[1024] = {};
    int index = -1;
    shell->GetPath(path, sizeof path, nullptr, SLGP_RAWPATH);
    shell->GetArguments(args, sizeof args);
    shell->GetDescription(description, sizeof description);
    shell->GetIconLocation(icon, sizeof icon, &index);
    return std::string(path) + " | " + args + " | " + description + " | " + icon + ',' + std::to_string(index);
}

// Runs a copy of this program as `exe`, which writes the shortcut (Startup on).
DWORD RunCopy(const std::string& exe) {
    EXPECT_TRUE(CopyFileA(ThisProgram().c_str(), exe.c_str(), FALSE)) << exe;
    std::string command = "\"" + exe + "\" --gtest_filter=LogonShortcutChild.*";
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    DWORD code = ~0u;
    if (started && WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
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
    const std::string dir = e2e::MakeTempDir();
    ASSERT_EQ(RunCopy(dir + "\\copy.exe"), 0u);
    const std::string target = dir + "\\Velunda.exe";
    EXPECT_EQ(ReadLink(shortcut), target + " | /startup | Velunda Application | " + target + ",0");
}

TEST_F(LogonShortcut, OnReplacesAnExistingFileOffRemovesItAndOffWithoutOneDoesNothing) {
    std::ofstream(shortcut, std::ios::binary) << "not a shortcut";
    UpdateWith(true);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);  // COM left uninitialised as it was found
    CoUninitialize();
    const std::string program = ThisProgram();
    const std::string target = program.substr(0, program.find_last_of('\\') + 1) + "Velunda.exe";
    EXPECT_EQ(ReadLink(shortcut), target + " | /startup | Velunda Application | " + target + ",0");
    UpdateWith(false);
    EXPECT_FALSE(Exists(shortcut));
    UpdateWith(false);
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_TRUE(Exists(shortcut.substr(0, shortcut.find_last_of('\\'))));
}

TEST_F(LogonShortcut, TargetTooLongForAPathLeavesTheShortcutAlone) {
    std::ofstream(shortcut, std::ios::binary) << "kept as it was";
    // The copy's own path fits in 259 bytes, but its folder plus "Velunda.exe" does not.
    const std::string base = e2e::MakeTempDir(), exeName = "\\c.exe";
    const std::string dir = base + "\\" + std::string(259 - base.size() - exeName.size() - 1, 'd');
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    ASSERT_EQ((dir + exeName).size(), 259u);
    ASSERT_EQ(RunCopy(dir + exeName), 0u);
    std::ostringstream kept;
    kept << std::ifstream(shortcut, std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), "kept as it was");
}
