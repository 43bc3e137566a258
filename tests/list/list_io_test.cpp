// LoadList and SaveList against real files under Wine.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/wallpaper_app.h"
#include "list/file_cause_win.h"
#include "win/handles.h"
#include "win/message_box.h"

namespace {

struct Box {
    std::string text, caption;
    UINT style;
};

class ListIo : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        dir = std::string(temp) + "velunda-list-" + std::to_string(GetCurrentProcessId()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        win::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption,
                                         UINT style) {
            boxes.push_back({text, caption, style});
            return IDOK;
        });
    }
    void TearDown() override {
        win::SetMessageBoxHandler({});
        for (const std::string& name : Files()) DeleteFileA((dir + "\\" + name).c_str());
        RemoveDirectoryA(dir.c_str());
    }

    std::string Path(const char* name) const { return dir + "\\" + name; }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return names;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Opens a file as another program would, sharing reading and writing.
    static win::UniqueHandle Hold(const std::string& path) {
        return win::UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    }

    void ExpectOneBox(const std::string& text) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].caption, win::AppTitle());
        EXPECT_EQ(boxes[0].style, 16u);
        boxes.clear();
    }

    std::string dir;
    std::vector<Box> boxes;
    CWallpaperApp app;
};

const std::string kOneEntry("\x03" "1.0" "\x01\0\0\0" "\x03\0\0\0"
                            "\x08" "C:\\a.bmp" "\x03" "bmp" "\x03\0\0\0", 29);

TEST(FileCause, SystemErrorsMapToTheCauseNumbers) {
    const struct { DWORD error; int cause; } cases[] = {
        {ERROR_SUCCESS, 0}, {ERROR_FILE_NOT_FOUND, 2}, {ERROR_PATH_NOT_FOUND, 3},
        {ERROR_INVALID_NAME, 3}, {ERROR_TOO_MANY_OPEN_FILES, 4}, {ERROR_ACCESS_DENIED, 5},
        {ERROR_INVALID_HANDLE, 6}, {ERROR_SEEK, 9}, {ERROR_READ_FAULT, 10},
        {ERROR_SHARING_VIOLATION, 11}, {ERROR_LOCK_VIOLATION, 12}, {ERROR_DISK_FULL, 13},
        {ERROR_HANDLE_DISK_FULL, 13}, {ERROR_HANDLE_EOF, 14}, {ERROR_NOT_ENOUGH_MEMORY, 1},
        {0xDEADBEEF, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(FileCauseFromError(c.error), c.cause) << c.error;
}

TEST_F(ListIo, SaveWritesTheExactBytesAndLoadAppendsThem) {
    app.wallpaperList.AddTail({"bmp", "C:\\a.bmp", 3});
    app.ratingSum = 3;
    ASSERT_TRUE(app.SaveList(Path("list.vdl")));
    EXPECT_EQ(Read(Path("list.vdl")), kOneEntry);
    EXPECT_EQ(Files(), std::vector<std::string>{"list.vdl"});  // no temporary left

    CWallpaperApp other;
    other.wallpaperList.AddTail({"bmp", "C:\\before.bmp", 5});
    other.ratingSum = 5;
    ASSERT_TRUE(other.LoadList(Path("list.vdl")));
    ASSERT_EQ(other.wallpaperList.GetCount(), 2);
    EXPECT_EQ(other.wallpaperList.begin()->path, "C:\\before.bmp");
    EXPECT_EQ(std::next(other.wallpaperList.begin())->path, "C:\\a.bmp");
    EXPECT_EQ(other.ratingSum, 3);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ListIo, OpeningFailuresShowTheirCause) {
    app.wallpaperList.AddTail({"bmp", "C:\\keep.bmp", 4});
    EXPECT_FALSE(app.LoadList(Path("absent.vdl")));
    ExpectOneBox("Erreur de chargement de la liste (2)");

    // Even a holder that shares everything keeps us out: we open without sharing.
    Write(Path("held.vdl"), kOneEntry);
    {
        const win::UniqueHandle holder = Hold(Path("held.vdl"));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(app.LoadList(Path("held.vdl")));
        ExpectOneBox("Erreur de chargement de la liste (11)");
    }

    EXPECT_FALSE(app.SaveList(Path("no such folder\\list.vdl")));
    ExpectOneBox("Erreur d'enregistrement de la liste (3)");
    EXPECT_EQ(app.wallpaperList.GetCount(), 1);
}

TEST_F(ListIo, FailedSaveLeavesTheOldFileIntact) {
    Write(Path("list.vdl"), kOneEntry);
    app.wallpaperList.AddTail({"bmp", "C:\\new.bmp", 5});
    app.ratingSum = 5;
    {
        const win::UniqueHandle holder = Hold(Path("list.vdl"));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(app.SaveList(Path("list.vdl")));
        ExpectOneBox("Erreur d'enregistrement de la liste (11)");
    }
    EXPECT_EQ(Read(Path("list.vdl")), kOneEntry);
    EXPECT_EQ(Files(), std::vector<std::string>{"list.vdl"});

    // Once released, the same save replaces it.
    EXPECT_TRUE(app.SaveList(Path("list.vdl")));
    EXPECT_EQ(Read(Path("list.vdl")).substr(12, 11), std::string("\x0A" "C:\\new.bmp"));
}

TEST_F(ListIo, BrokenFilesFailAndKeepWhatWasRead) {
    Write(Path("empty.vdl"), "");
    EXPECT_FALSE(app.LoadList(Path("empty.vdl")));
    ExpectOneBox("Erreur de chargement de la liste (14)");

    // Two records announced, the second cut short.
    std::string twoCut = kOneEntry;
    twoCut[4] = 2;
    twoCut[8] = 7;
    twoCut += std::string("\x08" "C:\\b.b", 7);
    Write(Path("cut.vdl"), twoCut);
    EXPECT_FALSE(app.LoadList(Path("cut.vdl")));
    ExpectOneBox("Erreur de chargement de la liste (14)");
    ASSERT_EQ(app.wallpaperList.GetCount(), 1);
    EXPECT_EQ(app.wallpaperList.begin()->path, "C:\\a.bmp");
    EXPECT_EQ(app.ratingSum, 7);

    // A UTF-16 string, which this program never writes, is refused.
    Write(Path("utf16.vdl"), std::string("\x03" "1.0" "\x01\0\0\0" "\x03\0\0\0"
                                         "\xFF\xFE\xFF\x01" "a\0" "\x03" "bmp" "\x03\0\0\0", 26));
    EXPECT_FALSE(app.LoadList(Path("utf16.vdl")));
    ExpectOneBox("Erreur de chargement de la liste (1)");
    EXPECT_EQ(app.wallpaperList.GetCount(), 1);
}

TEST_F(ListIo, OtherVersionIsRefusedWithTrue) {
    std::string newer = kOneEntry;
    newer[3] = '1';  // "1.1"
    Write(Path("newer.vdl"), newer);
    app.ratingSum = 8;
    EXPECT_TRUE(app.LoadList(Path("newer.vdl")));
    ExpectOneBox("Version de la liste trop r\xE9" "cente");
    EXPECT_EQ(app.wallpaperList.GetCount(), 0);
    EXPECT_EQ(app.ratingSum, 8);
}

}  // namespace
