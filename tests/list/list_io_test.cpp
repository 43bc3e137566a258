// List files on disk under Wine: their messages, and saves that replace a file whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "list/file_cause_win.h"
#include "list/list_io_win.h"
#include "list_bytes.h"
#include "win/handles.h"
#include "win/message_box.h"
#include "win/seams.h"

namespace fs = std::filesystem;
using namespace listbytes;
using namespace std::string_literals;
using Texts = std::vector<std::string>;

namespace {

const std::string kLoad = "Erreur de chargement de la liste ", kSave = "Erreur d'enregistrement de la liste ";
const std::string kOneEntry = Header(1, 3) + Record("C:\\a.bmp", "bmp", 3);

struct ListIo : testing::Test {
    void SetUp() override {
        fs::create_directories(dir);
        win::SetMessageBoxHandler([this](HWND, const std::string& text, auto&&...) { return boxes.push_back(text), IDOK; });
    }
    void TearDown() override { win::SetMessageBoxHandler({}), fs::remove_all(dir); }
    std::string Read() const { return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}}; }

    const fs::path dir = fs::temp_directory_path() / "velunda-list-io";
    const std::string path = (dir / "list.vdl").string();
    Texts boxes;
};

}  // namespace

TEST_F(ListIo, SystemErrorsGiveTheirCauseNumbers) {
    const DWORD errors[] = {ERROR_SUCCESS, ERROR_NOT_ENOUGH_MEMORY, ERROR_FILE_NOT_FOUND, ERROR_BAD_PATHNAME,
                            ERROR_TOO_MANY_OPEN_FILES, ERROR_WRITE_PROTECT, ERROR_INVALID_HANDLE,
                            ERROR_CURRENT_DIRECTORY, ERROR_NO_MORE_FILES, ERROR_NEGATIVE_SEEK, ERROR_CRC,
                            ERROR_SHARING_BUFFER_EXCEEDED, ERROR_DRIVE_LOCKED, ERROR_HANDLE_DISK_FULL, ERROR_HANDLE_EOF};
    for (int cause = 0; cause <= 14; ++cause) EXPECT_EQ(FileCauseFromError(errors[cause]), cause);
}

// A target that another program holds open, even sharing everything, fails before anything is written.
TEST_F(ListIo, SaveReplacesTheFileWholeOrNotAtAll) {
    CWallpaperList list;
    list.AddTail({"bmp", "C:\\a.bmp", 3});
    ASSERT_TRUE(SaveList(path, list, 3));
    EXPECT_EQ(Read(), kOneEntry);
    {
        const win::UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                                 FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        int32_t sum = 0;
        EXPECT_FALSE(SaveList(path, {}, 0));
        EXPECT_FALSE(LoadList(path, list, sum));
    }
    EXPECT_EQ(Read(), kOneEntry);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);  // no temporary file
    EXPECT_EQ(boxes, (Texts{kSave + "(11)", kLoad + "(11)"}));
    EXPECT_TRUE(SaveList(path, {}, 0));
    EXPECT_EQ(Read(), Header(0, 0));
}

// Each file is loaded into a list holding one entry, with a sum of 8.
TEST_F(ListIo, LoadKeepsWhatWasReadAndShowsTheProblem) {
    const std::tuple<std::string, bool, Texts, int32_t, int32_t> rows[] = {  // bytes, loaded, boxes, count, sum
        {kOneEntry, true, {}, 2, 3},
        {Header(2, 7) + Record("C:\\a.bmp", "bmp", 3) + Str("C:\\b.bmp").substr(0, 5), false, {kLoad + "(14)"}, 2, 7},
        {Header(1, 3) + "\xFF\xFE\xFF\x01" "a\0"s + Str("bmp") + Le32(3), false, {kLoad + "(1)"}, 1, 3},  // UTF-16
        {Header(1, 3, "1.1") + Record("C:\\a.bmp", "bmp", 3), true, {"Version de la liste trop r\xE9" "cente"}, 1, 8}};
    for (const auto& [bytes, loaded, texts, count, sum] : rows) {
        std::ofstream(path, std::ios::binary) << bytes;
        CWallpaperList list;
        list.AddTail({"bmp", "C:\\z.bmp", 5});
        int32_t ratingSum = 8;
        EXPECT_EQ(LoadList(path, list, ratingSum), loaded) << count;
        EXPECT_EQ(std::tuple(std::exchange(boxes, {}), list.GetCount(), ratingSum), std::tuple(texts, count, sum));
    }
}

// Any path that a file dialog gives (up to 259 bytes) saves, though the temporary name is 12 bytes longer.
TEST_F(ListIo, SavesToPathsUpTo259Bytes) {
    const std::string folder = dir.string() + "\\" + std::string(230 - dir.string().size(), 'd');
    fs::create_directories(folder);
    CWallpaperList list, back;
    list.AddTail({"bmp", "C:\\a.bmp", 3});
    for (const std::size_t length : {250, 259}) {
        const std::string target = folder + "\\" + std::string(length - folder.size() - 5, 'f') + ".vdl";
        ASSERT_EQ(target.size(), length);
        int32_t sum = 0;
        EXPECT_TRUE(SaveList(target, list, 3) && LoadList(target, back, sum)) << length;
    }
    EXPECT_EQ(std::tuple(back.GetCount(), boxes), std::tuple(2, Texts{}));
}
