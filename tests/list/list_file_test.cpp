#include "list/list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <tuple>

using namespace std::string_literals;
using V = std::vector<std::string>;

namespace {

const std::string o = "C:\\old.bmp|bmp|2";  // the entry listed before each load

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

// What a load gives: the error, the entries then listed, the sum.
using Loaded = std::tuple<ListFileError, V, int32_t>;

// Loads after the entry `o` and a sum of 2: from memory with chunk 0, else
// through a stream that states `stated` bytes (default: the file's size).
Loaded Load(const std::string& file, std::size_t chunk = 0, std::size_t stated = 0) {
    CWallpaperList list;
    list.AddTail({"bmp", "C:\\old.bmp", 2});
    int32_t sum = 2;
    ChunkedInput raw(file, chunk);
    ListInput memory(std::as_bytes(std::span(file))), stream(raw, stated ? stated : file.size());
    const ListFileError e = ReadListFile(chunk ? stream : memory, list, sum);
    return {e, Entries(list), sum};
}

TEST(ListFile, WritesTheExactBytesAndReadsThemBack) {
    const std::string p254(254, 'p'), p255(255, 'p'), p65533(65533, 'p'), p65534(65534, 'p');
    const auto tail = "\0"s + Le32(uint32_t(-7));  // empty ext; ratings and sums are kept as given, not checked
    const struct { std::vector<CWallpaperEntry> entries; int32_t sum; std::string bytes; } cases[] = {
        {{}, 0, "\x03" "1.0\0\0\0\0\0\0\0\0"s},
        {{{"bmp", "C:\\a.bmp", 3}}, 3, "\x03" "1.0\x01\0\0\0\x03\0\0\0\x08" "C:\\a.bmp\x03" "bmp\x03\0\0\0"s},
        // Prefix forms change exactly at their boundaries.
        {{{"", p254, -7}}, 42, Header(1, 42) + "\xFE" + p254 + tail},
        {{{"", p255, -7}}, 42, Header(1, 42) + "\xFF\xFF\0"s + p255 + tail},
        {{{"", p65533, -7}}, 42, Header(1, 42) + "\xFF\xFD\xFF" + p65533 + tail},
        {{{"", p65534, -7}}, 42, Header(1, 42) + "\xFF\xFF\xFF\xFE\xFF\0\0"s + p65534 + tail},
    };
    for (const auto& c : cases) {
        CWallpaperList list;
        for (const auto& e : c.entries) list.AddTail(e);
        MemoryOutput raw;
        ListOutput out(raw);
        ASSERT_EQ(WriteListFile(out, list, c.sum), ListFileError::None);
        const std::string file(reinterpret_cast<const char*>(raw.bytes.data()), raw.bytes.size());
        ASSERT_EQ(file, c.bytes);
        V expected = Entries(list);
        expected.insert(expected.begin(), o);
        // Odd pieces, and reads past the buffer.
        for (std::size_t chunk : {0u, 7u}) EXPECT_EQ(Load(file, chunk), (Loaded{ListFileError::None, expected, c.sum}));
    }
}

TEST(ListFile, LoadAppendsOrRefusesAsTheFileSays) {
    const std::string a = Record("C:\\a.bmp", "bmp", 3), oa = "C:\\a.bmp|bmp|3";
    const auto version = [&](std::string v) { return char(v.size()) + v + Le32(1) + Le32(3) + a; };
    // 4 GB claimed in 40 bytes. The native test preset caps ASan's allocations
    // at 256 MB, so a reader that allocates the claimed length fails here.
    std::string huge = Header(1, 3) + "\xFF\xFF\xFF" + Le32(0xFFFFFFFF);
    huge.resize(40, 'A');
    const struct { std::string file; Loaded expected; } cases[] = {
        {version("1.1"), {ListFileError::VersionRefused, {o}, 2}},
        {version("0.9"), {ListFileError::VersionRefused, {o}, 2}},
        {version("1.0 "), {ListFileError::VersionRefused, {o}, 2}},
        {Header(0, 7) + a, {ListFileError::None, {o}, 7}},
        {Header(0xFFFFFFFF, 7) + a, {ListFileError::None, {o}, 7}},
        {Header(1, 3) + a + "\xDE\xAD\xBE\xEF\xFF", {ListFileError::None, {o, oa}, 3}},
        {"\xFF\x03\0" "1.0"s + Le32(1) + Le32(4) + "\xFF\x05\0" "a.bmp"s + "\xFF\xFF\xFF\x03\0\0\0" "bmp"s + Le32(4),
         {ListFileError::None, {o, "a.bmp|bmp|4"}, 4}},
        {Header(2000000000, 6) + a + a, {ListFileError::EndOfFile, {o, oa, oa}, 6}},
        {huge, {ListFileError::EndOfFile, {o}, 3}},
        {Header(1, 3) + "\xFF\xFE\xFF\x03" "a\0b\0c\0\x03" "bmp"s + Le32(3), {ListFileError::Utf16String, {o}, 3}},
    };
    for (const auto& c : cases)
        for (std::size_t chunk : {0u, 4096u}) EXPECT_EQ(Load(c.file, chunk), c.expected) << "chunk " << chunk;
}

TEST(ListFile, TruncationAtEveryOffsetFailsKeepingCompleteRecords) {
    const std::string file = Header(3, 6) + Record("C:\\a.bmp", "bmp", 1) + Record("C:\\bbbb.bmp", "", 2) +
                             Record("C:\\c.bmp", "BMP", 3);  // 12 + 3 x 17 bytes
    const V all{o, "C:\\a.bmp|bmp|1", "C:\\bbbb.bmp||2", "C:\\c.bmp|BMP|3"};
    // Memory never reaches the stream's refills; a stream may also end before the size it stated.
    const std::size_t modes[][2] = {{0, 0}, {5, 0}, {5, file.size()}};
    for (std::size_t length = 0; length < file.size(); ++length)
        for (const auto& m : modes) {
            const auto kept = all.begin() + (length < 12 ? 1 : 1 + std::ptrdiff_t(length - 12) / 17);
            EXPECT_EQ(Load(file.substr(0, length), m[0], m[1]),
                      (Loaded{ListFileError::EndOfFile, V(all.begin(), kept), length < 12 ? 2 : 6}))
                << "length " << length << ", stream " << m[0] << ", stated " << m[1];
        }
}

}  // namespace
