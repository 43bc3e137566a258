// LoadList and SaveList against real files under Wine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

struct ListIo : testing::Test {
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
    // Loads or saves a file of the folder, expecting `ok` and then one error box, or none.
    void Expect(bool load, const char* name, bool ok, const std::string& box = "") {
        const std::string file = (dir / name).string();
        EXPECT_EQ(load ? app.LoadList(file) : app.SaveList(file), ok) << box;
        EXPECT_EQ(boxes, box.empty() ? V{} : V{win::AppTitle() + "|16|" + box});
        boxes.clear();
    }
    std::string Read() const { return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}}; }
    void Write(const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }

    const fs::path dir = fs::temp_directory_path() / ("velunda-list-" + std::to_string(GetCurrentProcessId()));
    const std::string path = (dir / "list.vdl").string();
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
    app.wallpaperList.AddTail({"bmp", "C:\\a.bmp", 3});
    app.ratingSum = 3;
    Expect(true, "absent.vdl", false, kLoad + "(2)");
    Expect(false, "no such folder\\list.vdl", false, kSave + "(3)");
    Write("old");
    {  // Even a holder that shares everything keeps us out: we open without sharing.
        const win::UniqueHandle holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        Expect(true, "list.vdl", false, kLoad + "(11)");
        Expect(false, "list.vdl", false, kSave + "(11)");
    }
    EXPECT_EQ(Read(), "old");
    const auto onlyTheList = [&] { return std::distance(fs::directory_iterator(dir), {}) == 1; };
    EXPECT_TRUE(onlyTheList());  // no temporary file left
    Expect(false, "list.vdl", true);
    EXPECT_EQ(Read(), kOneEntry);
    EXPECT_TRUE(onlyTheList());
    app.ratingSum = 0;
    Expect(true, "list.vdl", true);  // appended after the entry listed
    EXPECT_EQ(app.wallpaperList.GetCount(), 2);
    EXPECT_EQ(app.ratingSum, 3);
}

// Each file is loaded with nothing listed and a sum of 8; the first has two records, one cut short.
TEST_F(ListIo, FileContentDecidesTheMessage) {
    const struct { std::string bytes; bool loaded; std::string box; V paths; int32_t sum; } cases[] = {
        {"\x03" "1.0\x02\0\0\0\x07\0\0\0"s + kOneEntry.substr(12) + "\x08" "C:\\b.b", false, kLoad + "(14)", {"C:\\a.bmp"}, 7},
        {"\x03" "1.0\x01\0\0\0\x03\0\0\0\xFF\xFE\xFF\x01" "a\0\x03" "bmp\x03\0\0\0"s, false, kLoad + "(1)", {}, 3},
        {"\x03" "1.1" + kOneEntry.substr(4), true, "Version de la liste trop r\xE9" "cente", {}, 8},
    };
    for (const auto& c : cases) {
        app.wallpaperList.RemoveAll();
        app.ratingSum = 8;
        Write(c.bytes);
        Expect(true, "list.vdl", c.loaded, c.box);
        V paths;
        for (const auto& e : app.wallpaperList) paths.push_back(e.path);
        EXPECT_EQ(paths, c.paths) << c.box;
        EXPECT_EQ(app.ratingSum, c.sum) << c.box;
    }
}

}  // namespace
