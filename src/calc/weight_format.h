#pragma once

#include <string>

namespace calc {

// The two-decimal display of a weight: the value is first taken to 15
// significant digits, then that decimal is rounded to two decimals, halves away
// from zero. No thousands separators, at least one digit before the separator,
// and "-" only for a value that is still negative after rounding.
// 10.634999999999998 gives "10.64"; 1E+20 gives "100000000000000000000.00".
// The value must be finite.
std::string FormatWeight(double value, char separator = '.');

}  // namespace calc
