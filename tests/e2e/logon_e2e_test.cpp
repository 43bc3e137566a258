// Velunda.exe /startup as Windows runs it at logon: settings in the registry,
// a list file and real bitmaps.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "harness.h"

namespace {

using Entries = std::vector<std::tuple<std::string, std::string, int32_t>>;  // path, ext, rating

std::string Wallpaper() {
    char value[1024] = {};
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, value,
                        &size) == ERROR_SUCCESS ? value : "<none>";
}

class LogonRun : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteSettings();
        dir = e2e::MakeTempDir();
        listPath = dir + "\\Velunda.dat";
        before = dir + "\\before.bmp";
        e2e::WriteBitmap(before);
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", REG_SZ, before.c_str(),
                        DWORD(before.size() + 1));
    }
    void TearDown() override { e2e::DeleteSettings(); }

    void Settings(const std::string& timeType, uint32_t numStartup, int32_t lastDays, uint32_t lastStartup) {
        e2e::SetString("FilelistPath", listPath);
        e2e::SetString("TimeType", timeType);
        for (auto [name, value] : {std::pair{"Startup", 0u}, {"NumDays", 1u}, {"NumStartup", numStartup},
                                   {"LastDays", uint32_t(lastDays)}, {"LastStartup", lastStartup}})
            e2e::SetDword(name, value);
    }
    // The list file: "1.0", count, ratingSum, then path, ext and rating per entry.
    std::vector<uint8_t> WriteList(const Entries& entries) {
        std::vector<uint8_t> out = {0x03, '1', '.', '0'};
        auto putInt = [&](int32_t v) { for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i))); };
        auto putString = [&](const std::string& s) { out.push_back(uint8_t(s.size())); out.insert(out.end(), s.begin(), s.end()); };
        int32_t sum = 0;
        for (const auto& e : entries) sum += std::get<2>(e);
        putInt(int32_t(entries.size())), putInt(sum);
        for (const auto& [path, ext, rating] : entries) { putString(path); putString(ext); putInt(rating); }
        e2e::WriteBytes(listPath, out);
        return out;
    }
    void RunLogon() {
        const e2e::RunResult run = e2e::Run("/startup");
        EXPECT_TRUE(run.finished && !run.sawMainWindow);
        for (const e2e::Box& box : run.boxes) ADD_FAILURE() << "box: " << box.text;
    }

    std::string dir, listPath, before;
};

}  // namespace

TEST_F(LogonRun, ChangesTheWallpaperOnlyWhenDueToAReadableListedFileLeavingTheListFile) {
    // Missing files rated 5 come up first most of the time: each is dropped
    // and the draw starts again until one of the two bitmaps is found.
    const std::string a = dir + "\\a.bmp", b = dir + "\\b.bmp";
    for (const std::string& file : {a, b}) e2e::WriteBitmap(file);
    Entries entries;
    for (int i = 0; i < 6; ++i) entries.emplace_back(dir + "\\missing" + std::to_string(i) + ".bmp", "bmp", 5);
    entries.insert(entries.begin() + 2, {a, "bmp", 1});
    entries.emplace_back(b, "BMP", 2);
    const auto listBytes = WriteList(entries);

    Settings("days", 1, e2e::TodayMidnight(), 0);  // changed today already
    RunLogon();
    EXPECT_EQ(Wallpaper(), before);
    EXPECT_EQ(e2e::GetDword("LastDays"), uint32_t(e2e::TodayMidnight()));
    Settings("startup", 3, 0, 0);  // the first of three logons
    RunLogon();
    EXPECT_EQ(Wallpaper(), before);
    EXPECT_EQ(e2e::GetDword("LastStartup"), 1u);

    Settings("startup", 1, e2e::TodayMidnight() - 86400, 0);  // every logon
    RunLogon();
    const std::string now = Wallpaper();
    EXPECT_TRUE(now == a || now == b) << now;
    EXPECT_EQ(e2e::GetDword("LastStartup"), 0u);
    EXPECT_EQ(e2e::ReadBytes(listPath), listBytes);  // the drops were in memory only
}

TEST_F(LogonRun, TheMarkerIsWrittenBeforeTheChoice) {
    // The only listed "file" is a pipe of this test: when the draw opens it,
    // the marker must already be in the registry.
    const std::string pipeName = "\\\\.\\pipe\\velunda-e2e-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const auto listBytes = WriteList({{pipeName, "jpg", 3}});
    Settings("days", 1, e2e::TodayMidnight() - 86400, 0);
    std::atomic<bool> ran{false};
    std::optional<uint32_t> markerAtOpen;
    std::thread watcher([&] {
        ConnectNamedPipe(pipe, nullptr);  // until the draw opens the pipe, or this test does below
        if (!ran) markerAtOpen = e2e::GetDword("LastDays");
    });
    RunLogon();
    ran = true;
    CloseHandle(CreateFileA(pipeName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    watcher.join();
    CloseHandle(pipe);
    EXPECT_EQ(markerAtOpen, uint32_t(e2e::TodayMidnight())) << "opened before the marker was written, or never";
    EXPECT_EQ(Wallpaper(), before);  // "jpg": chosen, not applied
    EXPECT_EQ(e2e::ReadBytes(listPath), listBytes);
}
