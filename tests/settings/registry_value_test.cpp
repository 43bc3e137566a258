#include "settings/registry_value.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Copies into heap blocks of exactly the delivered size, so ASan stops any
// read past what the registry delivered.
TEST(RegistryValue, StringsStopAtTheFirstZeroAndNeedRoomForIt) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {std::string("days\0", 5), "days"},  {std::string("ab\0cd\0", 6), "ab"},
        {std::string(1, '\0'), ""},          {"", ""},
        {"days", "days"},                    {std::string(29, 'x'), std::string(29, 'x')},
        {std::string(30, 'x'), std::nullopt}, {std::string(29, 'x') + '\0', std::string(29, 'x')},
    };
    for (const auto& [bytes, expected] : cases) {
        auto block = std::make_unique<char[]>(bytes.size());
        bytes.copy(block.get(), bytes.size());
        EXPECT_EQ(StringFromRegistry(block.get(), bytes.size(), 30), expected) << bytes.size();
    }
}

TEST(RegistryValue, Int32IsExactlyFourLittleEndianBytes) {
    const std::pair<std::vector<unsigned char>, std::optional<int32_t>> cases[] = {
        {{0x01, 0, 0, 0}, 1}, {{0, 0x7D, 0, 0}, 32000}, {{0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {{0, 0, 0, 0x80}, INT32_MIN}, {{0x07, 0}, std::nullopt}, {{}, std::nullopt},
    };
    for (const auto& [bytes, expected] : cases) {
        auto block = std::make_unique<unsigned char[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), block.get());
        EXPECT_EQ(Int32FromRegistry(block.get(), bytes.size()), expected) << bytes.size();
    }
}
