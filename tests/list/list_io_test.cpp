// List files on disk under Wine: their messages, and saves that replace a file whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "list/file_cause_win.h"
#include "list/list_io_win.h"
#include "support/list_bytes.h"
#include "win/handles.h"
#include "support/registry.h"

namespace fs = std::filesystem;
using namespace listbytes;
using namespace std::string_literals;
using Texts = std::vector<std::string>;

namespace {

const std::string kLoad = "Erreur de chargement de la liste ";
const std::string kOneEntry = Header(1, 3) + Record("C:\\a.bmp", "bmp", 3);

struct ListIo : reg::Clean {
    void SetUp() override {
        Clean::SetUp();
        fs::create_directories(dir);
        list.AddTail({"bmp", "C:\\a.bmp", 3});
    }
    void TearDown() override { Clean::TearDown(), fs::remove_all(dir); }
    std::string Read() const {
        return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
    }

    const fs::path dir = fs::temp_directory_path() / "velunda-list-io";
    const std::string path = (dir / "list.vdl").string();
    CWallpaperList list;
};

}  // namespace

TEST_F(ListIo, SystemErrorsGiveTheirCauseNumbers) {
    // ERROR_SUCCESS, _NOT_ENOUGH_MEMORY, _FILE_NOT_FOUND, _BAD_PATHNAME, _TOO_MANY_OPEN_FILES,
    // _WRITE_PROTECT, _INVALID_HANDLE, _CURRENT_DIRECTORY, _NO_MORE_FILES, _NEGATIVE_SEEK, _CRC,
    // _SHARING_BUFFER_EXCEEDED, _DRIVE_LOCKED, _HANDLE_DISK_FULL, _HANDLE_EOF
    const DWORD errors[] = {0, 8, 2, 161, 4, 19, 6, 16, 18, 131, 23, 36, 108, 39, 38};
    for (int cause = 0; cause <= 14; ++cause) EXPECT_EQ(FileCauseFromError(errors[cause]), cause);
}

// A target that another program holds open, even sharing everything, fails before anything is
// written, and leaves no temporary file.
TEST_F(ListIo, SaveReplacesTheFileWholeOrNotAtAll) {
    ASSERT_TRUE(SaveList(path, list, 3));
    EXPECT_EQ(Read(), kOneEntry);
    {
        const win::UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ, 7, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));  // shares all
        int32_t sum = 0;
        EXPECT_FALSE(SaveList(path, {}, 0) || LoadList(path, list, sum));
    }
    EXPECT_EQ(std::tuple(Read(), std::distance(fs::directory_iterator(dir), {}), boxes),
              std::tuple(kOneEntry, 1,
                         Texts{"Erreur d'enregistrement de la liste (11)", kLoad + "(11)"}));
    EXPECT_TRUE(SaveList(path, {}, 0));
    EXPECT_EQ(Read(), Header(0, 0));
}

// Each file is loaded into a list holding one entry, with a sum of 8: what was read is kept.
TEST_F(ListIo, LoadKeepsWhatWasReadAndShowsTheProblem) {
    const std::string utf16 = Header(1, 3) + "\xFF\xFE\xFF\x01"s + "a\0"s + Str("bmp") + Le32(3);
    const std::tuple<std::string, bool, Texts, int32_t, int32_t> rows[] = {
        {Header(2, 7) + kOneEntry.substr(12) + "\010C:", false, {kLoad + "(14)"}, 2, 7},
        {utf16, false, {kLoad + "(1)"}, 1, 3},
        {Header(1, 3, "1.1"), true, {"Version de la liste trop r\351cente"}, 1, 8}};
    for (const auto& [bytes, loaded, texts, count, sum] : rows) {
        std::ofstream(path, std::ios::binary) << bytes;
        CWallpaperList one = list;
        int32_t ratingSum = 8;
        EXPECT_EQ(LoadList(path, one, ratingSum), loaded) << count;
        EXPECT_EQ(std::tuple(std::exchange(boxes, {}), one.GetCount(), ratingSum),
                  std::tuple(texts, count, sum));
    }
}
