#include "win/int_in_range.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

TEST(IntInRange, BlanksSignDigitsAndRange) {
    using enum win::IntParse;
    using sv = std::wstring_view;  // only the view's characters are the text
    // The text, the largest allowed (the least is -10); the result, and the value (-1: untouched).
    constexpr int m = 32000;
    // clang-format off
    const std::tuple<sv, int, win::IntParse, int> rows[] = {
        {L" 12\t", m, ok, 12},         {L"\t+1 ", m, ok, 1},           {L"32000", m, ok, 32000},
        {L"-10", m, ok, -10},          {sv(L"78 ", 1), m, ok, 7},      {sv(L"7  ", 2), m, ok, 7},
        {L"-11", m, outOfRange, -1},   {L"32001", m, outOfRange, -1},  {L"", m, notANumber, -1},
        {L"- 5", m, notANumber, -1},   {L"1 2", m, notANumber, -1},    {L"x", m, notANumber, -1},
        {L"2147483647", INT_MAX, ok, INT_MAX}, {L"2147483648", INT_MAX, outOfRange, -1},
        {L"99999999999999999999", INT_MAX, outOfRange, -1}};
    // clang-format on
    for (const auto& [text, max, result, expected] : rows) {
        int value = -1;
        EXPECT_EQ(win::ParseIntInRange(text, -10, max, value), result) << std::wstring(text);
        EXPECT_EQ(value, expected) << std::wstring(text);
    }
}
