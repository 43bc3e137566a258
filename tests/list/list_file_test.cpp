#include "list/list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace std::string_literals;
using V = std::vector<std::string>;

namespace {

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Header(uint32_t count, int32_t sum) { return "\x03" "1.0"s + Le32(count) + Le32(uint32_t(sum)); }
// One record with one-byte prefixes, spelled out independently of the writer.
std::string Record(const std::string& path, const std::string& ext, int32_t rating) {
    return char(path.size()) + path + char(ext.size()) + ext + Le32(uint32_t(rating));
}

V Entries(const CWallpaperList& list) {
    V out;
    for (const auto& e : list) out.push_back(e.path + "|" + e.ext + "|" + std::to_string(e.rating));
    return out;
}

// A stream handing out at most `chunk` bytes per read.
struct ChunkedInput : RawInput {
    ChunkedInput(std::string_view s, std::size_t chunk) : rest(s), chunk(chunk) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        rest.remove_prefix(got = rest.copy(reinterpret_cast<char*>(out), std::min(size, chunk)));
        return true;
    }
    std::string_view rest;
    std::size_t chunk;
};

// chunk 0 reads from memory; any other through a stream that states `stated`
// bytes (default: the file's size), as files are read.
ListFileError Load(const std::string& file, CWallpaperList& list, int32_t& sum, std::size_t chunk = 0,
                   std::size_t stated = 0) {
    ChunkedInput raw(file, chunk);
    ListInput memory(std::as_bytes(std::span(file))), stream(raw, stated ? stated : file.size());
    return ReadListFile(chunk ? stream : memory, list, sum);
}

TEST(ListFile, WritesTheExactBytesAndReadsThemBack) {
    const std::string p254(254, 'p'), p255(255, 'p'), p65533(65533, 'p'), p65534(65534, 'p');
    const auto tail = "\0"s + Le32(5);  // empty ext, rating 5
    const struct { std::vector<CWallpaperEntry> entries; int32_t sum; std::string bytes; } cases[] = {
        {{}, 0, "\x03" "1.0\0\0\0\0\0\0\0\0"s},
        {{{"bmp", "C:\\a.bmp", 3}}, 3, "\x03" "1.0\x01\0\0\0\x03\0\0\0\x08" "C:\\a.bmp\x03" "bmp\x03\0\0\0"s},
        // Prefix forms change exactly at their boundaries.
        {{{"", p254, 5}}, 5, Header(1, 5) + "\xFE" + p254 + tail},
        {{{"", p255, 5}}, 5, Header(1, 5) + "\xFF\xFF\0"s + p255 + tail},
        {{{"", p65533, 5}}, 5, Header(1, 5) + "\xFF\xFD\xFF" + p65533 + tail},
        {{{"", p65534, 5}}, 5, Header(1, 5) + "\xFF\xFF\xFF\xFE\xFF\0\0"s + p65534 + tail},
        // The sum is kept as stored, not recounted; ratings as given, even out of range.
        {{{"bmp", "C:\\Images\\\xE9t\xE9.bmp", 1}, {"", "C:\\sans extension", 5},
               {"BMP", std::string(300, 'x'), 3}, {"jpg", "D:\\b.jpg", -7}}, 42, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        CWallpaperList list;
        for (const auto& e : c.entries) list.AddTail(e);
        MemoryOutput raw;
        ListOutput out(raw);
        ASSERT_EQ(WriteListFile(out, list, c.sum), ListFileError::None);
        const std::string file(reinterpret_cast<const char*>(raw.bytes.data()), raw.bytes.size());
        if (!c.bytes.empty()) { ASSERT_EQ(file, c.bytes); }
        for (std::size_t chunk : {0u, 7u}) {  // odd pieces, and reads past the buffer
            CWallpaperList loaded;
            int32_t sum = 9;
            ASSERT_EQ(Load(file, loaded, sum, chunk), ListFileError::None);
            EXPECT_EQ(Entries(loaded), Entries(list));
            EXPECT_EQ(sum, c.sum);
        }
    }
}

// Each file is loaded after one listed entry and a sum of 2.
TEST(ListFile, LoadAppendsOrRefusesAsTheFileSays) {
    const std::string a = Record("C:\\a.bmp", "bmp", 3);
    const auto version = [&](std::string v) { return char(v.size()) + v + Le32(1) + Le32(3) + a; };
    std::string huge = Header(1, 3) + "\xFF\xFF\xFF" + Le32(0xFFFFFFFF);  // 4 GB claimed in 40 bytes
    huge.resize(40, 'A');
    const std::string o = "C:\\old.bmp|bmp|2", oa = "C:\\a.bmp|bmp|3";
    const struct { std::string file; ListFileError error; V entries; int32_t sum; } cases[] = {
        {version("1.1"), ListFileError::VersionRefused, {o}, 2},
        {version("0.9"), ListFileError::VersionRefused, {o}, 2},
        {version("1.0 "), ListFileError::VersionRefused, {o}, 2},
        {Header(0, 7) + a, ListFileError::None, {o}, 7},
        {Header(0xFFFFFFFF, 7) + a, ListFileError::None, {o}, 7},
        {Header(0x80000000, 7) + a, ListFileError::None, {o}, 7},
        {Header(1, 3) + a + "\xDE\xAD\xBE\xEF\xFF", ListFileError::None, {o, oa}, 3},
        {"\xFF\x03\0" "1.0"s + Le32(1) + Le32(4) + "\xFF\x05\0" "a.bmp"s + "\xFF\xFF\xFF\x03\0\0\0" "bmp"s + Le32(4),
         ListFileError::None, {o, "a.bmp|bmp|4"}, 4},
        {Header(2000000000, 6) + a + a, ListFileError::EndOfFile, {o, oa, oa}, 6},
        {huge, ListFileError::EndOfFile, {o}, 3},
        {Header(1, 3) + "\xFF\xFE\xFF\x03" "a\0b\0c\0\x03" "bmp"s + Le32(3), ListFileError::Utf16String, {o}, 3},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        for (std::size_t chunk : {0u, 4096u}) {
            SCOPED_TRACE(testing::Message() << "case " << i << ", chunk " << chunk);
            CWallpaperList list;
            list.AddTail({"bmp", "C:\\old.bmp", 2});
            int32_t sum = 2;
            EXPECT_EQ(Load(cases[i].file, list, sum, chunk), cases[i].error);
            EXPECT_EQ(Entries(list), cases[i].entries);
            EXPECT_EQ(sum, cases[i].sum);
        }
    }
}

TEST(ListFile, TruncationAtEveryOffsetFailsKeepingCompleteRecords) {
    const std::string records[] = {Record("C:\\a.bmp", "bmp", 1), Record("C:\\bb.bmp", "", 2),
                                   Record("C:\\ccc.bmp", "BMP", 3)};
    const std::string file = Header(3, 6) + records[0] + records[1] + records[2];
    for (std::size_t length = 0; length < file.size(); ++length) {
        std::size_t end = 12;
        const auto complete = std::count_if(std::begin(records), std::end(records),
                                            [&](const std::string& r) { return (end += r.size()) <= length; });
        // Memory never reaches the stream's refills; a stream may also end before the size it stated.
        const std::size_t modes[][2] = {{0, 0}, {5, 0}, {5, file.size()}};
        for (const auto& m : modes) {
            SCOPED_TRACE(testing::Message() << "length " << length << ", stated " << m[1]);
            CWallpaperList list;
            int32_t sum = -1;
            EXPECT_EQ(Load(file.substr(0, length), list, sum, m[0], m[1]), ListFileError::EndOfFile);
            EXPECT_EQ(list.GetCount(), complete);
            EXPECT_EQ(sum, length >= 12 ? 6 : -1);
        }
    }
}

}  // namespace
