#include "list/list_file.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

#include "support/list_bytes.h"
#include "support/memory_io.h"

using namespace std::string_literals;
using namespace listbytes;

namespace {

using E = std::tuple<std::string, std::string, int32_t>;            // path, ext, rating
using Loaded = std::tuple<ListFileError, std::vector<E>, int32_t>;  // error, list, sum
const E o{"C:\\old.bmp", "bmp", 2}, a{"C:\\a.bmp", "bmp", 3};       // o: listed before each load

// Loads after `o` and a sum of 2, `chunk` bytes per read (0: all at once), from a stream that
// states `stated` bytes (default: the file's size).
Loaded Load(std::string_view file, std::size_t chunk = 0, std::size_t stated = SIZE_MAX) {
    CWallpaperList list;
    list.AddTail({"bmp", "C:\\old.bmp", 2});
    int32_t sum = 2;
    MemoryInput raw(file, chunk ? chunk : SIZE_MAX);
    ListInput in(raw, stated == SIZE_MAX ? file.size() : stated);
    const ListFileError e = ReadListFile(in, list, sum);
    std::vector<E> entries;
    for (const auto& x : list) entries.emplace_back(x.path, x.ext, x.rating);
    return {e, entries, sum};
}

TEST(ListFile, WritesTheExactBytesAndReadsThemBack) {
    const std::string p254(254, 'p'), p255(255, 'p'), p65533(65533, 'p'), p65534(65534, 'p');
    // Ratings and sums are kept as given, not checked; this sum has four different bytes.
    const int32_t s = 0x04030201;
    const auto tail = "\0"s + Le32(uint32_t(-7));  // an empty ext, rating -7
    std::string p254x17 = Header(17, s);
    for (int i = 0; i < 17; ++i) p254x17 += "\xFE" + p254 + tail;
    const std::tuple<std::vector<E>, int32_t, std::string> cases[] = {
        // clang-format off
        {{}, 0, "\x03" "1.0\0\0\0\0\0\0\0\0"s},
        {{a}, 3, "\x03" "1.0\x01\0\0\0\x03\0\0\0\x08" "C:\\a.bmp\x03" "bmp\x03\0\0\0"s},
        // Prefix forms change exactly at their boundaries.
        {std::vector<E>(17, {p254, "", -7}), s, p254x17},  // more than the buffer holds
        {{{p255, "", -7}}, s, Header(1, s) + "\xFF\xFF\0"s + p255 + tail},
        {{{p65533, "", -7}}, s, Header(1, s) + "\xFF\xFD\xFF" + p65533 + tail},
        {{{p65534, "", -7}}, s, Header(1, s) + "\xFF\xFF\xFF\xFE\xFF\0\0"s + p65534 + tail}};
    // clang-format on
    for (const auto& [entries, sum, bytes] : cases) {
        CWallpaperList list;
        for (const auto& [path, ext, rating] : entries) list.AddTail({ext, path, rating});
        MemoryOutput raw;
        ListOutput out(raw);
        ASSERT_EQ(WriteListFile(out, list, sum), ListFileError::None);
        const std::string file(reinterpret_cast<const char*>(raw.bytes.data()), raw.bytes.size());
        ASSERT_EQ(file, bytes);
        std::vector<E> expected{o};
        expected.insert(expected.end(), entries.begin(), entries.end());
        // Odd pieces, and all at once: pieces larger than the buffer.
        for (std::size_t chunk : {7, 0})
            EXPECT_EQ(Load(file, chunk), (Loaded{ListFileError::None, expected, sum}));
    }
}

TEST(ListFile, LoadAppendsOrRefusesAsTheFileSays) {
    const std::string ra = Record("C:\\a.bmp", "bmp", 3);
    // 4 GB claimed in 40 bytes. The native test preset caps ASan's allocations at 256 MB, so a
    // reader that allocates the claimed length fails here.
    const std::string huge =
        Header(1, 3) + "\xFF\xFF\xFF" + Le32(0xFFFFFFFF) + std::string(21, 'A');
    const std::pair<std::string, Loaded> cases[] = {
        // clang-format off
        {Header(1, 3, "1.1") + ra, {ListFileError::VersionRefused, {o}, 2}},
        {Header(0xFFFFFFFF, 7) + ra, {ListFileError::None, {o}, 7}},
        {Header(1, 3) + ra + "\xDE\xAD", {ListFileError::None, {o, a}, 3}},
        // The long prefix forms, for short strings.
        {"\xFF\x03\0" "1.0"s + Le32(1) + Le32(4) + "\xFF\x05\0" "a.bmp"s +
         "\xFF\xFF\xFF\x03\0\0\0" "bmp"s + Le32(4),
         {ListFileError::None, {o, {"a.bmp", "bmp", 4}}, 4}},
        {huge, {ListFileError::EndOfFile, {o}, 3}},
        {Header(1, 3) + "\xFF\xFE\xFF\x03" "a\0b\0c\0\x03" "bmp"s + Le32(3),
         {ListFileError::Utf16String, {o}, 3}}};
    // clang-format on
    for (const auto& [file, expected] : cases) EXPECT_EQ(Load(file), expected);
}

// Cut at every offset: what was read stays, up to the last complete record.
TEST(ListFile, TruncationAtEveryOffsetFailsKeepingCompleteRecords) {
    const std::vector<E> all{o, a, {"C:\\bbbb.bmp", "", 2}, {"C:\\ccc.bmp", "B", 1}};
    std::string file = Header(3, 6);  // 12 bytes, then 3 records of 17, one with a one-byte ext
    for (auto it = all.begin() + 1; it != all.end(); ++it) file += std::apply(Record, *it);
    for (std::size_t length = 0; length < file.size(); ++length) {
        const auto kept = all.begin() + (length < 12 ? 1 : 1 + std::ptrdiff_t(length - 12) / 17);
        const Loaded want{ListFileError::EndOfFile, {all.begin(), kept}, length < 12 ? 2 : 6};
        // 5 bytes at a time from a stream that ends where it said, before, or holds more.
        const std::string_view cut(file.data(), length);
        for (const Loaded& got : {Load(cut, 5), Load(cut, 5, file.size()), Load(file, 5, length)})
            EXPECT_EQ(got, want) << length;
    }
}

}  // namespace
