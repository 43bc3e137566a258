#include "win/int_in_range.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

TEST(IntInRange, BlanksSignDigitsAndRange) {
    using enum win::IntParse;
    using sv = std::string_view;  // only the view's bytes are the text
    // The text, the largest allowed (the least is -10); the result, and the value (-1: untouched).
    constexpr int m = 32000;
    // clang-format off
    const std::tuple<sv, int, win::IntParse, int> rows[] = {
        {" 12\t", m, ok, 12},         {"\t+1 ", m, ok, 1},           {"32000", m, ok, 32000},
        {"-10", m, ok, -10},          {sv("78 ", 1), m, ok, 7},      {sv("7  ", 2), m, ok, 7},
        {"-11", m, outOfRange, -1},   {"32001", m, outOfRange, -1},  {"", m, notANumber, -1},
        {"- 5", m, notANumber, -1},   {"1 2", m, notANumber, -1},    {"x", m, notANumber, -1},
        {"2147483647", INT_MAX, ok, INT_MAX}, {"2147483648", INT_MAX, outOfRange, -1},
        {"99999999999999999999", INT_MAX, outOfRange, -1}};
    // clang-format on
    for (const auto& [text, max, result, expected] : rows) {
        int value = -1;
        EXPECT_EQ(win::ParseIntInRange(text, -10, max, value), result) << text;
        EXPECT_EQ(value, expected) << text;
    }
}
