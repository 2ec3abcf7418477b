#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// Conversions between decimals and doubles by exact arithmetic, so that Linux,
// Windows and the browser read and show the same digits: C run-times and C++
// libraries differ in what they offer and in how they round.

// digits x 10^exponent (digits: ASCII 0-9, leading zeros allowed) rounded to
// the nearest double, ties to even. None when it rounds beyond the double
// range; a value too small to be told from zero gives 0.
std::optional<double> NearestDouble(std::string_view digits, long exponent);

// A finite double's magnitude rounded to `count` significant digits, ties to
// even: |value| ~ d.ddd... x 10^exponent. Zero gives `count` zeros, exponent 0.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};
SignificantDigits RoundToSignificantDigits(double value, int count);

}  // namespace calc
