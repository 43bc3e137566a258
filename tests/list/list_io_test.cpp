// LoadList and SaveList against real files under Wine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/wallpaper_app.h"
#include "list/file_cause_win.h"
#include "win/handles.h"
#include "win/message_box.h"

namespace fs = std::filesystem;
using namespace std::string_literals;
using V = std::vector<std::string>;

namespace {

const std::string kOneEntry = "\x03" "1.0\x01\0\0\0\x03\0\0\0\x08" "C:\\a.bmp\x03" "bmp\x03\0\0\0"s;
const std::string kLoad = "Erreur de chargement de la liste ", kSave = "Erreur d'enregistrement de la liste ";

class ListIo : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir);
        win::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT style) {
            boxes.push_back(caption + "|" + std::to_string(style) + "|" + text);
            return IDOK;
        });
    }
    void TearDown() override {
        win::SetMessageBoxHandler({});
        fs::remove_all(dir);
    }
    std::string Path(const char* name) const { return (dir / name).string(); }
    // Only the list itself: no temporary file left.
    std::size_t FileCount() const { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); }
    std::string Read(const char* name) const {
        return {std::istreambuf_iterator<char>(std::ifstream(dir / name, std::ios::binary).rdbuf()), {}};
    }
    void Write(const char* name, const std::string& bytes) const { std::ofstream(dir / name, std::ios::binary) << bytes; }
    void ExpectBox(const std::string& text) {
        EXPECT_EQ(boxes, V{win::AppTitle() + "|16|" + text});
        boxes.clear();
    }

    const fs::path dir = fs::temp_directory_path() / ("velunda-list-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                      testing::UnitTest::GetInstance()->current_test_info()->name());
    V boxes;
    CWallpaperApp app;
};

TEST(FileCause, SystemErrorsMapToTheCauseNumbers) {
    const struct { DWORD error; int cause; } cases[] = {
        {ERROR_SUCCESS, 0}, {ERROR_FILE_NOT_FOUND, 2}, {ERROR_PATH_NOT_FOUND, 3}, {ERROR_INVALID_NAME, 3},
        {ERROR_TOO_MANY_OPEN_FILES, 4}, {ERROR_ACCESS_DENIED, 5}, {ERROR_INVALID_HANDLE, 6}, {ERROR_SEEK, 9},
        {ERROR_READ_FAULT, 10}, {ERROR_SHARING_VIOLATION, 11}, {ERROR_LOCK_VIOLATION, 12}, {ERROR_DISK_FULL, 13},
        {ERROR_HANDLE_DISK_FULL, 13}, {ERROR_HANDLE_EOF, 14}, {ERROR_NOT_ENOUGH_MEMORY, 1}, {0xDEADBEEF, 1}};
    for (const auto& c : cases) EXPECT_EQ(FileCauseFromError(c.error), c.cause) << c.error;
}

// Saves replace the list whole or not at all.
TEST_F(ListIo, FailuresShowTheirCauseAndChangeNothing) {
    Write("list.vdl", "old");
    app.wallpaperList.AddTail({"bmp", "C:\\a.bmp", 3});
    app.ratingSum = 3;
    EXPECT_FALSE(app.LoadList(Path("absent.vdl")));
    ExpectBox(kLoad + "(2)");
    EXPECT_FALSE(app.SaveList(Path("no such folder\\list.vdl")));
    ExpectBox(kSave + "(3)");
    {  // Even a holder that shares everything keeps us out: we open without sharing.
        const win::UniqueHandle holder(CreateFileA(Path("list.vdl").c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(app.LoadList(Path("list.vdl")));
        ExpectBox(kLoad + "(11)");
        EXPECT_FALSE(app.SaveList(Path("list.vdl")));
        ExpectBox(kSave + "(11)");
    }
    EXPECT_EQ(Read("list.vdl"), "old");
    EXPECT_EQ(FileCount(), 1u);

    ASSERT_TRUE(app.SaveList(Path("list.vdl")));
    EXPECT_EQ(Read("list.vdl"), kOneEntry);
    EXPECT_EQ(FileCount(), 1u);
    app.ratingSum = 0;
    ASSERT_TRUE(app.LoadList(Path("list.vdl")));  // appended after the entry listed
    EXPECT_EQ(app.wallpaperList.GetCount(), 2);
    EXPECT_EQ(app.ratingSum, 3);
    EXPECT_TRUE(boxes.empty());
}

// Each file is loaded with nothing listed and a sum of 8; the second has two records, one cut short.
TEST_F(ListIo, FileContentDecidesTheMessage) {
    const std::string twoCut = "\x03" "1.0\x02\0\0\0\x07\0\0\0"s + kOneEntry.substr(12) + "\x08" "C:\\b.b";
    const struct { std::string bytes; bool loaded; std::string box; V paths; int32_t sum; } cases[] = {
        {"", false, kLoad + "(14)", {}, 8},
        {twoCut, false, kLoad + "(14)", {"C:\\a.bmp"}, 7},
        {"\x03" "1.0\x01\0\0\0\x03\0\0\0\xFF\xFE\xFF\x01" "a\0\x03" "bmp\x03\0\0\0"s, false, kLoad + "(1)", {}, 3},
        {"\x03" "1.1" + kOneEntry.substr(4), true, "Version de la liste trop r\xE9" "cente", {}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        CWallpaperApp fresh;
        fresh.ratingSum = 8;
        Write("list.vdl", c.bytes);
        EXPECT_EQ(fresh.LoadList(Path("list.vdl")), c.loaded);
        ExpectBox(c.box);
        V paths;
        for (const auto& e : fresh.wallpaperList) paths.push_back(e.path);
        EXPECT_EQ(paths, c.paths);
        EXPECT_EQ(fresh.ratingSum, c.sum);
    }
}

}  // namespace
