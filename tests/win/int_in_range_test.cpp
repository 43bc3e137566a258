#include "win/int_in_range.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// The value read, or why not, with the value left untouched (-1).
std::string Parse(std::string_view text, int max = 32000) {
    int value = -1;
    const win::IntParse result = win::ParseIntInRange(text, -10, max, value);
    const char* why = result == win::IntParse::outOfRange   ? "range"
                      : result == win::IntParse::notANumber ? "nan"
                                                            : "";
    return why + std::to_string(value);
}

}  // namespace

TEST(IntInRange, BlanksSignDigitsAndRange) {
    using sv = std::string_view;  // only the view's bytes are the text
    const std::pair<sv, const char*> rows[] = {
        {" 12\t", "12"},     {"\t+1 ", "1"},      {"32000", "32000"}, {"-10", "-10"},
        {sv("78 ", 1), "7"}, {sv("7  ", 2), "7"}, {"-11", "range-1"}, {"32001", "range-1"},
        {"", "nan-1"},       {"- 5", "nan-1"},    {"1 2", "nan-1"},   {"x", "nan-1"}};
    for (const auto& [text, expected] : rows) EXPECT_EQ(Parse(text), expected) << text;
    EXPECT_EQ(Parse("2147483647", INT_MAX), "2147483647");
    EXPECT_EQ(Parse("2147483648", INT_MAX), "range-1");
    EXPECT_EQ(Parse("99999999999999999999", INT_MAX), "range-1");
}
