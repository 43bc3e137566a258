// Velunda.exe /startup as Windows runs it at logon: settings in the registry,
// a list file and real bitmaps.
#include <gtest/gtest.h>

#include <thread>

#include "harness.h"

namespace {

const char* const kDesktopKey = "Control Panel\\Desktop";

struct Listed {
    std::string path, ext;
    int32_t rating;
};

void PutInt(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}
void PutString(std::vector<uint8_t>& out, const std::string& s) {
    out.push_back(static_cast<uint8_t>(s.size()));  // the tests' strings are all under 255 bytes
    out.insert(out.end(), s.begin(), s.end());
}

// The list file: "1.0", count, ratingSum, then path, ext and rating per entry.
std::vector<uint8_t> ListFile(const std::vector<Listed>& entries, int32_t ratingSum) {
    std::vector<uint8_t> out = {0x03, '1', '.', '0'};
    PutInt(out, static_cast<int32_t>(entries.size()));
    PutInt(out, ratingSum);
    for (const Listed& e : entries) {
        PutString(out, e.path);
        PutString(out, e.ext);
        PutInt(out, e.rating);
    }
    return out;
}

std::string Wallpaper() {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "<none>";
    return value;
}

void SetWallpaperValue(const std::string& path) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", REG_SZ, path.c_str(),
                    static_cast<DWORD>(path.size() + 1));
}

class LogonRun : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteSettings();
        dir = e2e::MakeTempDir();
        listPath = dir + "\\Velunda.dat";
        before = dir + "\\before.bmp";
        e2e::WriteBitmap(before);
        SetWallpaperValue(before);
    }
    void TearDown() override { e2e::DeleteSettings(); }

    // A change at every logon: kind "startup", every 1.
    void ChangeAtEveryLogon() {
        Settings("startup", 1, 1, e2e::TodayMidnight() - 86400, 0);
    }
    void Settings(const std::string& timeType, uint32_t numDays, uint32_t numStartup, int32_t lastDays,
                  uint32_t lastStartup) {
        e2e::SetString("FilelistPath", listPath);
        e2e::SetDword("Startup", 0);
        e2e::SetString("TimeType", timeType);
        e2e::SetDword("NumDays", numDays);
        e2e::SetDword("NumStartup", numStartup);
        e2e::SetDword("LastDays", static_cast<uint32_t>(lastDays));
        e2e::SetDword("LastStartup", lastStartup);
    }
    std::vector<uint8_t> WriteList(const std::vector<Listed>& entries) {
        int32_t sum = 0;
        for (const Listed& e : entries) sum += e.rating;
        const auto bytes = ListFile(entries, sum);
        e2e::WriteBytes(listPath, bytes);
        return bytes;
    }
    e2e::RunResult RunLogon() {
        const e2e::RunResult run = e2e::Run("/startup");
        EXPECT_TRUE(run.finished);
        EXPECT_FALSE(run.sawMainWindow);
        for (const e2e::Box& box : run.boxes) ADD_FAILURE() << "box: " << box.text;
        return run;
    }

    std::string dir, listPath, before;
};

}  // namespace

TEST_F(LogonRun, ChangeDueSetsAReadableListedFileAndLeavesTheListFile) {
    // Missing files rated 5 come up first most of the time; each is dropped and
    // the draw starts again until one of the two bitmaps is found.
    const std::string a = dir + "\\a.bmp", b = dir + "\\b.bmp";
    e2e::WriteBitmap(a);
    e2e::WriteBitmap(b);
    std::vector<Listed> entries;
    for (int i = 0; i < 6; ++i) entries.push_back({dir + "\\missing" + std::to_string(i) + ".bmp", "bmp", 5});
    entries.insert(entries.begin() + 2, {a, "bmp", 1});
    entries.push_back({b, "BMP", 2});
    const auto listBytes = WriteList(entries);
    ChangeAtEveryLogon();

    RunLogon();
    const std::string now = Wallpaper();
    EXPECT_TRUE(now == a || now == b) << now;
    EXPECT_EQ(e2e::ReadBytes(listPath), listBytes);  // the drops were in memory only
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);
}

TEST_F(LogonRun, TheMarkerIsWrittenBeforeTheChoice) {
    // The only listed "file" is a pipe of this test. When the draw opens it to
    // test it, the settings key must already have changed: the store signals
    // the change as it writes, while the pipe's opening reaches this test a
    // few server calls later.
    const std::string pipeName = "\\\\.\\pipe\\velunda-e2e-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const auto listBytes = WriteList({{pipeName, "jpg", 3}});
    Settings("days", 1, 1, e2e::TodayMidnight() - 86400, 0);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, e2e::kSettingsKey, 0, KEY_NOTIFY, &key), ERROR_SUCCESS);
    const HANDLE changed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_EQ(RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE), ERROR_SUCCESS);
    OVERLAPPED connect{};
    connect.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_FALSE(ConnectNamedPipe(pipe, &connect));
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
    bool opened = false, markerFirst = false;
    std::thread watcher([&] {
        const HANDLE events[2] = {connect.hEvent, stop};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) {
            markerFirst = WaitForSingleObject(changed, 0) == WAIT_OBJECT_0;
            opened = true;
        }
    });
    RunLogon();
    SetEvent(stop);
    watcher.join();
    CancelIoEx(pipe, &connect);
    DWORD ignored = 0;
    GetOverlappedResult(pipe, &connect, &ignored, TRUE);
    for (HANDLE h : {pipe, connect.hEvent, stop, changed}) CloseHandle(h);
    RegCloseKey(key);

    ASSERT_TRUE(opened) << "the draw did not open the listed file";
    EXPECT_TRUE(markerFirst) << "the file was opened before the marker was written";
    EXPECT_EQ(e2e::GetDword("LastDays"), static_cast<uint32_t>(e2e::TodayMidnight()));
    EXPECT_EQ(Wallpaper(), before);  // "jpg": chosen, not applied
    EXPECT_EQ(e2e::ReadBytes(listPath), listBytes);
}

TEST_F(LogonRun, NoChangeDueLeavesTheWallpaper) {
    const std::string a = dir + "\\a.bmp";
    e2e::WriteBitmap(a);
    const auto listBytes = WriteList({{a, "bmp", 5}});

    Settings("days", 1, 1, e2e::TodayMidnight(), 0);  // changed today already
    RunLogon();
    EXPECT_EQ(Wallpaper(), before);
    EXPECT_EQ(e2e::GetDword("LastDays"), static_cast<uint32_t>(e2e::TodayMidnight()));

    Settings("startup", 1, 3, 0, 0);  // the first of three logons
    RunLogon();
    EXPECT_EQ(Wallpaper(), before);
    EXPECT_EQ(e2e::GetDword("LastStartup"), 1u);
    EXPECT_EQ(e2e::ReadBytes(listPath), listBytes);
}
