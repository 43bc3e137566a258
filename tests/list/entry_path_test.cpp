// A list entry's bytes and the wide path that Windows is given, both ways, in Windows-1252.
#include <gtest/gtest.h>

#include "list/entry_path_win.h"

using namespace std::string_literals;

// What the code page cannot hold exactly is refused, not replaced: Ł has no byte, ā only the
// best-fit stand-in "a", and a lone surrogate is no character.
TEST(EntryPath, BytesAndWidePathsConvertExactlyOrNotAtAll) {
    const std::pair<std::wstring, std::optional<std::string>> rows[] = {
        {L"", ""},
        {L"C:\\été\\€ 1.bmp", "C:\\\xE9t\xE9\\\x80 1.bmp"},
        {L"\0"s, "\0"s},
        {L"C:\\Łódź.bmp", std::nullopt},
        {L"C:\\\u0101.bmp", std::nullopt},
        {L"C:\\\xD800.bmp", std::nullopt},
        {L"C:\\照片.bmp", std::nullopt}};
    for (const auto& [wide, bytes] : rows) {
        EXPECT_EQ(EntryPathFromWide(wide), bytes) << wide;
        if (bytes) { EXPECT_EQ(EntryPathToWide(*bytes), wide) << wide; }
    }
}
