#pragma once

#include <string_view>

namespace model {

// Reads a number the tolerant way the input boxes need: blanks, tabs and line feeds are
// skipped anywhere, then an optional sign, digits with at most one '.', an optional exponent
// introduced by E or D; reading stops at the first character that does not fit and text
// without a number reads as 0. The decimal point is '.' whatever the user's locale.
// Numbers too large for a double read as +/- infinity, too small ones as 0.
double readNumber(std::string_view text);

// Narrows to single precision the way the hardware would, but without undefined behaviour:
// values beyond the float range become +/- infinity.
float toSingle(double value);

inline float readSingle(std::string_view text)
{
    return toSingle(readNumber(text));
}

} // namespace model
