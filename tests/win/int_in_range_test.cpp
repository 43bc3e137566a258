#include "win/int_in_range.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>
#include <utility>

TEST(IntInRange, BlanksSignDigitsAndRange) {
    using P = win::IntParse;
    using sv = std::string_view;
    // `value` stays -1 unless the text is accepted.
    const struct {
        sv text;
        int min, max;
        P result;
        int value;
    } rows[] = {
        {" 12 ", 1, 32000, P::ok, 12},
        {"\t+1\t", 1, 32000, P::ok, 1},
        {"32000", 1, 32000, P::ok, 32000},
        {"-7", -10, 10, P::ok, -7},
        {"2147483647", 0, INT_MAX, P::ok, INT_MAX},
        {sv("78 ", 1), 1, 32000, P::ok, 7},
        {sv("7  ", 2), 1, 32000, P::ok, 7},  // nothing read past the text
        {"0", 1, 32000, P::outOfRange, -1},
        {"32001", 1, 32000, P::outOfRange, -1},
        {"99999999999", 1, 32000, P::outOfRange, -1},
        {"2147483648", 0, INT_MAX, P::outOfRange, -1},
        {"99999999999999999999", 0, INT_MAX, P::outOfRange, -1},
        {"", 1, 32000, P::notANumber, -1},
        {"abc", 1, 32000, P::notANumber, -1},
        {"- 5", 1, 32000, P::notANumber, -1},
        {"1 2", 1, 32000, P::notANumber, -1},
    };
    for (const auto& r : rows) {
        int value = -1;
        const P result = win::ParseIntInRange(r.text, r.min, r.max, value);
        EXPECT_EQ(std::pair(result, value), std::pair(r.result, r.value)) << '"' << r.text << '"';
    }
}
