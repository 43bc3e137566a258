// The logon shortcut, written and read back through the shell under Wine.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <process.h>
#include <fstream>

#include "../e2e/harness.h"
#include "app/wallpaper_app.h"
#include "win/handles.h"

namespace {

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

// Runs a copy of this program as `exe`: its child test writes the shortcut.
int RunCopy(const std::string& exe) {
    EXPECT_TRUE(CopyFileA(ThisProgram().c_str(), exe.c_str(), FALSE)) << exe;
    return int(_spawnl(_P_WAIT, exe.c_str(), ('"' + exe + '"').c_str(), "--gtest_filter=LogonShortcutChild.*", nullptr));
}

void UpdateWith(bool startup) { CWallpaperApp app; app.Startup = startup; app.UpdateLogonShortcut(); }

// Each test writes the shortcut file first.
struct LogonShortcut : ::testing::Test {
    void TearDown() override { DeleteFileA(shortcut.c_str()); }
    const std::string shortcut = StartupShortcut();
};

}  // namespace

// Not a test of its own: the body of the copies that RunCopy starts.
TEST(LogonShortcutChild, WriteTheShortcut) {
    if (ThisProgram().find("shortcut_win_tests") != std::string::npos) GTEST_SKIP() << "runs only in a renamed copy";
    UpdateWith(true);
}

TEST_F(LogonShortcut, ACopyPointsAtVelundaExeBesideItAndOffRemovesIt) {
    std::ofstream(shortcut, std::ios::binary) << "not a shortcut";  // replaced
    const std::string dir = e2e::MakeTempDir(), target = dir + "\\Velunda.exe";
    ASSERT_EQ(RunCopy(dir + "\\copy.exe"), 0);
    EXPECT_EQ(ReadLink(shortcut), target + " | /startup | Velunda Application | " + target + ",0");
    UpdateWith(false);
    EXPECT_FALSE(Exists(shortcut));
    UpdateWith(false);  // none to remove: nothing visible, the folder stays
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_TRUE(Exists(shortcut.substr(0, shortcut.find_last_of('\\'))));
}

TEST_F(LogonShortcut, TargetTooLongForAPathLeavesTheShortcutAlone) {
    const std::string kept = "kept as it was";
    std::ofstream(shortcut, std::ios::binary) << kept;
    // The copy's own path fits in 259 bytes, but its folder plus "Velunda.exe" does not.
    const std::string base = e2e::MakeTempDir(), exeName = "\\c.exe";
    const std::string dir = base + "\\" + std::string(259 - base.size() - exeName.size() - 1, 'd');
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    ASSERT_EQ((dir + exeName).size(), 259u);
    ASSERT_EQ(RunCopy(dir + exeName), 0);
    EXPECT_EQ(e2e::ReadBytes(shortcut), std::vector<uint8_t>(kept.begin(), kept.end()));
}
