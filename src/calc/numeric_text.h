#pragma once

#include <optional>
#include <string_view>

namespace calc {

// The one numeric test and the one reader, shared by the pieces check, the
// field check, the final formatting and Store Result.
//
// Accepted: blanks (spaces) at both ends, an optional sign, ASCII digits with at
// most one decimal separator and at least one digit, an optional exponent
// (e/E, optional sign, digits). Refused: the empty text, blanks only, tabs and
// any other character, thousands separators, hexadecimal, inf/nan, non-ASCII
// digits and numbers beyond the double range. A number too small to be told
// from zero reads as zero. The conversion is correctly rounded and does not
// depend on the C locale; the decimal separator is a parameter.
std::optional<double> ReadNumber(std::string_view text, char separator = '.');

inline bool IsNumericText(std::string_view text, char separator = '.') {
    return ReadNumber(text, separator).has_value();
}

}  // namespace calc
