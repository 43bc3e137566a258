#include "settings/registry_value.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Copies into a heap block of exactly `delivered` bytes, so that ASan stops
// any read past what the registry delivered.
std::optional<std::string> Str(const std::string& bytes, std::size_t bufferSize) {
    auto block = std::make_unique<char[]>(bytes.size());
    bytes.copy(block.get(), bytes.size());
    return StringFromRegistry(block.get(), bytes.size(), bufferSize);
}

std::optional<int32_t> Int(std::initializer_list<unsigned char> bytes) {
    auto block = std::make_unique<unsigned char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.get());
    return Int32FromRegistry(block.get(), bytes.size());
}

}  // namespace

TEST(RegistryValue, StringStopsAtTheFirstZero) {
    EXPECT_EQ(Str(std::string("days\0", 5), 30), "days");
    EXPECT_EQ(Str(std::string("ab\0cd\0", 6), 30), "ab");
    EXPECT_EQ(Str(std::string("\0", 1), 30), "");
    EXPECT_EQ(Str("", 30), "");
}

TEST(RegistryValue, UnterminatedStringIsReadWhenItLeavesRoomForItsZero) {
    EXPECT_EQ(Str("days", 30), "days");
    EXPECT_EQ(Str(std::string(29, 'x'), 30), std::string(29, 'x'));
    // 30 bytes without a zero in a 30-byte buffer: more than 29 characters.
    EXPECT_EQ(Str(std::string(30, 'x'), 30), std::nullopt);
    EXPECT_EQ(Str(std::string(29, 'x') + '\0', 30), std::string(29, 'x'));
}

TEST(RegistryValue, Int32IsExactlyFourLittleEndianBytes) {
    EXPECT_EQ(Int({0x01, 0x00, 0x00, 0x00}), 1);
    EXPECT_EQ(Int({0x00, 0x7D, 0x00, 0x00}), 32000);
    EXPECT_EQ(Int({0xFF, 0xFF, 0xFF, 0xFF}), -1);
    EXPECT_EQ(Int({0x00, 0x00, 0x00, 0x80}), INT32_MIN);
    EXPECT_EQ(Int({0x07, 0x00}), std::nullopt);
    EXPECT_EQ(Int({}), std::nullopt);
}
