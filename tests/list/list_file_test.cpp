#include "list/list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::byte>;

Bytes B(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values) out.push_back(static_cast<std::byte>(v));
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(std::string_view s) {
    Bytes out;
    for (char c : s) out.push_back(static_cast<std::byte>(c));
    return out;
}

Bytes Le32(uint32_t v) { return B({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)}); }

// One record with one-byte prefixes, spelled out independently of the codec.
Bytes Record(std::string_view path, std::string_view ext, int32_t rating) {
    return B({int(path.size())}) + Text(path) + B({int(ext.size())}) + Text(ext) +
           Le32(static_cast<uint32_t>(rating));
}

const Bytes kVersion10 = B({0x03, 0x31, 0x2E, 0x30});

Bytes Save(const CWallpaperList& list, int32_t sum) {
    MemoryOutput raw;
    ListOutput out(raw);
    EXPECT_EQ(WriteListFile(out, list, sum), ListFileError::None);
    return raw.bytes;
}

ListFileError Load(const Bytes& bytes, CWallpaperList& list, int32_t& sum) {
    ListInput in(bytes);
    return ReadListFile(in, list, sum);
}

// A stream that hands out at most `chunk` bytes per read, and can claim more
// bytes than it has or fail after some.
class ChunkedInput : public RawInput {
public:
    ChunkedInput(const Bytes& bytes, std::size_t chunk) : bytes_(bytes), chunk_(chunk) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        if (failAt && pos_ >= *failAt) return false;
        got = std::min({size, chunk_, bytes_.size() - pos_});
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), got, out);
        pos_ += got;
        return true;
    }
    std::optional<std::size_t> failAt;

private:
    const Bytes& bytes_;
    std::size_t chunk_;
    std::size_t pos_ = 0;
};

ListFileError LoadStream(const Bytes& bytes, std::size_t chunk, CWallpaperList& list, int32_t& sum) {
    ChunkedInput raw(bytes, chunk);
    ListInput in(raw, bytes.size());
    return ReadListFile(in, list, sum);
}

std::vector<std::string> Paths(const CWallpaperList& list) {
    std::vector<std::string> out;
    for (const auto& e : list) out.push_back(e.path);
    return out;
}

TEST(ListFile, TheTwelveAndTwentyNineByteExamples) {
    const Bytes empty = B({0x03, 0x31, 0x2E, 0x30, 0, 0, 0, 0, 0, 0, 0, 0});
    const Bytes one = B({0x03, 0x31, 0x2E, 0x30, 0x01, 0, 0, 0, 0x03, 0, 0, 0,
                         0x08, 0x43, 0x3A, 0x5C, 0x61, 0x2E, 0x62, 0x6D, 0x70,
                         0x03, 0x62, 0x6D, 0x70, 0x03, 0, 0, 0});
    CWallpaperList list;
    EXPECT_EQ(Save(list, 0), empty);
    list.AddTail({"bmp", "C:\\a.bmp", 3});
    EXPECT_EQ(Save(list, 3), one);

    CWallpaperList loaded;
    int32_t sum = 9;
    ASSERT_EQ(Load(empty, loaded, sum), ListFileError::None);
    EXPECT_TRUE(loaded.IsEmpty());
    EXPECT_EQ(sum, 0);
    ASSERT_EQ(Load(one, loaded, sum), ListFileError::None);
    ASSERT_EQ(loaded.GetCount(), 1);
    EXPECT_EQ(loaded.begin()->path, "C:\\a.bmp");
    EXPECT_EQ(loaded.begin()->ext, "bmp");
    EXPECT_EQ(loaded.begin()->rating, 3);
    EXPECT_EQ(sum, 3);
}

TEST(ListFile, PrefixFormsChangeExactlyAtTheirBoundaries) {
    const struct {
        std::size_t length;
        Bytes prefix;
    } cases[] = {
        {254, B({0xFE})},
        {255, B({0xFF, 0xFF, 0x00})},
        {65533, B({0xFF, 0xFD, 0xFF})},
        {65534, B({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string path(c.length, 'p');
        CWallpaperList list;
        list.AddTail({"", path, 5});
        const Bytes file = Save(list, 5);
        const Bytes expected = kVersion10 + Le32(1) + Le32(5) + c.prefix + Text(path) +
                               B({0x00}) + Le32(5);
        ASSERT_EQ(file, expected);

        // Through memory, and through a stream in odd-sized pieces.
        for (std::size_t chunk : {std::size_t{0}, std::size_t{7}}) {
            CWallpaperList loaded;
            int32_t sum = 0;
            const ListFileError e = chunk ? LoadStream(file, chunk, loaded, sum) : Load(file, loaded, sum);
            ASSERT_EQ(e, ListFileError::None);
            ASSERT_EQ(loaded.GetCount(), 1);
            EXPECT_EQ(loaded.begin()->path, path);
            EXPECT_EQ(loaded.begin()->ext, "");
        }
    }
}

TEST(ListFile, ReaderAcceptsLongerPrefixFormsForShortStrings) {
    const Bytes file = B({0xFF, 0x03, 0x00}) + Text("1.0") + Le32(1) + Le32(4) +
                       B({0xFF, 0x05, 0x00}) + Text("a.bmp") +
                       B({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00}) + Text("bmp") + Le32(4);
    CWallpaperList list;
    int32_t sum = 0;
    ASSERT_EQ(Load(file, list, sum), ListFileError::None);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.begin()->path, "a.bmp");
    EXPECT_EQ(list.begin()->ext, "bmp");
    EXPECT_EQ(list.begin()->rating, 4);
}

TEST(ListFile, RoundTripKeepsEntriesOrderAndStoredSum) {
    CWallpaperList list;
    list.AddTail({"bmp", "C:\\Images\\\xE9t\xE9.bmp", 1});
    list.AddTail({"", "C:\\sans extension", 5});
    list.AddTail({"BMP", std::string(300, 'x'), 3});
    list.AddTail({"jpg", "D:\\b.jpg", -7});  // stored as given, even out of range
    // A sum that does not match the ratings is stored and read back as it is.
    const Bytes file = Save(list, 42);

    CWallpaperList loaded;
    int32_t sum = 0;
    ASSERT_EQ(Load(file, loaded, sum), ListFileError::None);
    EXPECT_EQ(sum, 42);
    ASSERT_EQ(loaded.GetCount(), list.GetCount());
    for (auto a = list.begin(), b = loaded.begin(); a != list.end(); ++a, ++b) {
        EXPECT_EQ(a->path, b->path);
        EXPECT_EQ(a->ext, b->ext);
        EXPECT_EQ(a->rating, b->rating);
    }
}

TEST(ListFile, OtherVersionsAreRefusedAndChangeNothing) {
    for (std::string_view version : {"1.1", "0.9", "1.0 "}) {
        SCOPED_TRACE(version);
        const Bytes file = B({int(version.size())}) + Text(version) + Le32(1) + Le32(3) +
                           Record("C:\\a.bmp", "bmp", 3);
        CWallpaperList list;
        list.AddTail({"bmp", "C:\\old.bmp", 2});
        int32_t sum = 2;
        EXPECT_EQ(Load(file, list, sum), ListFileError::VersionRefused);
        EXPECT_EQ(Paths(list), std::vector<std::string>{"C:\\old.bmp"});
        EXPECT_EQ(sum, 2);
    }
}

TEST(ListFile, ZeroOrNegativeCountReadsNoRecordButTakesTheSum) {
    for (uint32_t count : {0u, 0xFFFFFFFFu, 0x80000000u}) {
        SCOPED_TRACE(count);
        const Bytes file = kVersion10 + Le32(count) + Le32(7) + Record("C:\\a.bmp", "bmp", 3);
        CWallpaperList list;
        int32_t sum = 0;
        EXPECT_EQ(Load(file, list, sum), ListFileError::None);
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_EQ(sum, 7);
    }
}

TEST(ListFile, LoadingAppendsAfterListedEntriesAndIgnoresTrailingBytes) {
    const Bytes file = kVersion10 + Le32(1) + Le32(3) + Record("C:\\new.bmp", "bmp", 3) +
                       B({0xDE, 0xAD, 0xBE, 0xEF, 0xFF});
    CWallpaperList list;
    const CWallpaperEntry* first = &*list.AddTail({"bmp", "C:\\one.bmp", 4});
    list.AddTail({"bmp", "C:\\two.bmp", 5});
    int32_t sum = 9;
    ASSERT_EQ(Load(file, list, sum), ListFileError::None);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"C:\\one.bmp", "C:\\two.bmp", "C:\\new.bmp"}));
    EXPECT_EQ(&*list.begin(), first);  // listed entries do not move
    EXPECT_EQ(sum, 3);
}

TEST(ListFile, TruncationAtEveryOffsetFailsKeepingCompleteRecords) {
    const Bytes records[] = {Record("C:\\a.bmp", "bmp", 1), Record("C:\\bb.bmp", "", 2),
                             Record("C:\\ccc.bmp", "BMP", 3)};
    const Bytes file = kVersion10 + Le32(3) + Le32(6) + records[0] + records[1] + records[2];
    std::vector<std::size_t> recordEnds;
    std::size_t end = 12;
    for (const Bytes& r : records) recordEnds.push_back(end += r.size());

    for (std::size_t length = 0; length < file.size(); ++length) {
        SCOPED_TRACE(length);
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        const auto complete = std::count_if(recordEnds.begin(), recordEnds.end(),
                                            [&](std::size_t e) { return e <= length; });
        for (std::size_t chunk : {std::size_t{0}, std::size_t{5}}) {
            CWallpaperList list;
            int32_t sum = -1;
            const ListFileError e = chunk ? LoadStream(cut, chunk, list, sum) : Load(cut, list, sum);
            EXPECT_EQ(e, ListFileError::EndOfFile);
            EXPECT_EQ(list.GetCount(), complete);
            EXPECT_EQ(sum, length >= 12 ? 6 : -1);
        }
    }
}

TEST(ListFile, LengthsAndCountsBeyondTheInputFailFast) {
    CWallpaperList list;
    int32_t sum = 0;
    // A 32-bit prefix claiming 4 GB in a 40-byte file.
    Bytes huge = kVersion10 + Le32(1) + Le32(3) + B({0xFF, 0xFF, 0xFF}) + Le32(0xFFFFFFFF);
    huge.resize(40, std::byte{0x41});
    EXPECT_EQ(Load(huge, list, sum), ListFileError::EndOfFile);
    EXPECT_EQ(LoadStream(huge, 4096, list, sum), ListFileError::EndOfFile);
    // One byte more than the file holds.
    const Bytes over = kVersion10 + Le32(1) + Le32(3) + B({0x05}) + Text("abcd");
    EXPECT_EQ(Load(over, list, sum), ListFileError::EndOfFile);
    EXPECT_TRUE(list.IsEmpty());

    // Two billion records announced, two present: both kept, then the end.
    const Bytes many = kVersion10 + Le32(2000000000) + Le32(6) + Record("C:\\a.bmp", "bmp", 3) +
                       Record("C:\\b.bmp", "bmp", 3);
    EXPECT_EQ(Load(many, list, sum), ListFileError::EndOfFile);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(ListFile, Utf16MarkedStringsAreRefused) {
    const Bytes utf16Abc = B({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c', 0});
    CWallpaperList list;
    int32_t sum = 0;
    const Bytes inPath = kVersion10 + Le32(1) + Le32(3) + utf16Abc + B({0x03}) + Text("bmp") + Le32(3);
    EXPECT_EQ(Load(inPath, list, sum), ListFileError::Utf16String);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ListFile, StreamErrorsAreReportedAsSuch) {
    CWallpaperList source;
    source.AddTail({"bmp", std::string(5000, 'z'), 3});
    const Bytes file = Save(source, 3);

    CWallpaperList list;
    int32_t sum = 0;
    {  // The stream fails part-way.
        ChunkedInput raw(file, 100);
        raw.failAt = 300;
        ListInput in(raw, file.size());
        EXPECT_EQ(ReadListFile(in, list, sum), ListFileError::ReadFailed);
    }
    {  // The stream ends before the size it stated.
        const Bytes shortFile(file.begin(), file.end() - 10);
        ChunkedInput raw(shortFile, 4096);
        ListInput in(raw, file.size());
        EXPECT_EQ(ReadListFile(in, list, sum), ListFileError::EndOfFile);
    }
    EXPECT_TRUE(list.IsEmpty());

    struct FailingOutput : RawOutput {
        bool Write(const std::byte*, std::size_t) override { return false; }
    } failing;
    ListOutput out(failing);
    EXPECT_EQ(WriteListFile(out, source, 3), ListFileError::WriteFailed);
}

}  // namespace
