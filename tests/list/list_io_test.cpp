// List files read from disk under Wine: what is kept, and the messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "list/file_cause_win.h"
#include "list/list_io_win.h"
#include "support/registry.h"
#include "win/handles.h"

using namespace listbytes;
using namespace std::string_literals;
using Texts = std::vector<std::wstring>;

namespace {

struct ListIo : reg::Clean {
    void TearDown() override { Clean::TearDown(), std::filesystem::remove(path); }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "velunda-list-io.vdl";
};

}  // namespace

TEST_F(ListIo, SystemErrorsGiveTheirCauseNumbers) {
    // ERROR_SUCCESS, _NOT_ENOUGH_MEMORY, _FILE_NOT_FOUND, _BAD_PATHNAME, _TOO_MANY_OPEN_FILES,
    // _WRITE_PROTECT, _INVALID_HANDLE, _CURRENT_DIRECTORY, _NO_MORE_FILES, _NEGATIVE_SEEK, _CRC,
    // _SHARING_BUFFER_EXCEEDED, _DRIVE_LOCKED, _HANDLE_DISK_FULL, _HANDLE_EOF
    const DWORD errors[] = {0, 8, 2, 161, 4, 19, 6, 16, 18, 131, 23, 36, 108, 39, 38};
    for (int cause = 0; cause <= 14; ++cause) EXPECT_EQ(FileCauseFromError(errors[cause]), cause);
}

// Each file is loaded into a list holding one entry, with a sum of 8: what was read is kept.
// A file that another program holds open, even sharing everything, is not read at all.
TEST_F(ListIo, LoadKeepsWhatWasReadAndShowsTheProblem) {
    const std::wstring load = L"Erreur de chargement de la liste ";
    const std::string a = Record("C:\\a.bmp", "bmp", 3);
    const std::tuple<std::string, bool, Texts, int32_t, int32_t> rows[] = {
        {Header(2, 7) + a + "\010C:", false, {load + L"(14)"}, 2, 7},
        {Header(1, 3) + "\xFF\xFE\xFF\x01"s + "a\0"s + Str("bmp") + Le32(3),
         false,
         {load + L"(1)"},
         1,
         3},  // UTF-16
        {Header(1, 3, "1.1"), true, {L"Version de la liste trop récente"}, 1, 8},
        {"held", false, {load + L"(11)"}, 1, 8}};
    for (const auto& [bytes, loaded, texts, count, sum] : rows) {
        std::ofstream(path, std::ios::binary) << bytes;
        const win::UniqueFile holder(bytes == "held" ? CreateFileW(path.c_str(), GENERIC_READ, 7,
                                                                   nullptr, OPEN_EXISTING, 0, 0)
                                                     : INVALID_HANDLE_VALUE);
        CWallpaperList list;
        list.AddTail({"bmp", "C:\\a.bmp", 3});
        int32_t ratingSum = 8;
        EXPECT_EQ(LoadList(path.wstring(), list, ratingSum), loaded) << count;
        EXPECT_EQ(std::tuple(std::exchange(boxes, {}), list.GetCount(), ratingSum),
                  std::tuple(texts, count, sum));
    }
}

// Saving over a hidden list keeps it hidden. When the list cannot be replaced (a folder holds the
// name that the old list takes meanwhile), it stays whole. No other file is left either way.
TEST_F(ListIo, SaveReplacesTheListKeepingItsAttributesOrLeavesItWhole) {
    CWallpaperList list;
    for (const bool blocked : {false, true}) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL), std::ofstream(path) << "old";
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
        if (blocked) std::filesystem::create_directory(path.wstring() + L".velunda-old");
        SaveList(path.wstring(), list, 3);
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::tuple(std::string(std::istreambuf_iterator<char>(in), {}),
                             std::exchange(boxes, {}), GetFileAttributesW(path.c_str()) & 2,
                             std::filesystem::exists(path.wstring() + L".velunda-tmp"),
                             std::filesystem::remove(path.wstring() + L".velunda-old")),
                  std::tuple(blocked ? "old" : Header(0, 3),
                             Texts(blocked, L"Erreur d'enregistrement de la liste (5)"), DWORD{2},
                             false, blocked));
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
