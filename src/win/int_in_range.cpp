#include "win/int_in_range.h"

#include <limits>

namespace win {

IntParse ParseIntInRange(std::wstring_view text, int min, int max, int& value) {
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    const size_t firstDigit = i;
    long long n = 0;
    bool huge = false;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        n = n * 10 + (text[i] - L'0');
        if (n > std::numeric_limits<int>::max()) {
            huge = true;
            n = std::numeric_limits<int>::max();
        }
    }
    if (i == firstDigit) return IntParse::notANumber;
    skipBlanks();
    if (i != text.size()) return IntParse::notANumber;
    if (negative) n = -n;
    if (huge || n < min || n > max) return IntParse::outOfRange;
    value = static_cast<int>(n);
    return IntParse::ok;
}

}  // namespace win
