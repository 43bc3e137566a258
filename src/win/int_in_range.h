#pragma once

#include <string_view>

// The whole-number check of the dialogs' data exchange, kept free of windows
// so that it builds everywhere.
namespace win {

enum class IntParse { ok, notANumber, outOfRange };

// Optional blanks around an optional sign and decimal digits, within
// [min, max]. `value` is written only when the result is ok.
IntParse ParseIntInRange(std::wstring_view text, int min, int max, int& value);

}  // namespace win
