#include "calc/weight_format.h"

#include <algorithm>
#include <cmath>

#include "calc/exact_decimal.h"

namespace calc {

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

std::string FormatWeight(double value, char separator) {
    // d.dddddddddddddd x 10^exponent: 15 significant digits, correctly rounded.
    const bool negative = std::signbit(value);
    const auto [digits, exponent] = RoundToSignificantDigits(value, kSignificantDigits);

    // Place the digits as a fixed decimal with all integer digits and at least
    // three fraction digits: value = integer.fraction.
    std::string integer;
    std::string fraction;
    if (exponent >= 0) {
        const std::size_t intCount = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intCount) {
            integer = digits + std::string(intCount - digits.size(), '0');
        } else {
            integer = digits.substr(0, intCount);
            fraction = digits.substr(intCount);
        }
    } else {
        integer = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');

    // Round to two decimals, halves away from zero: only the third fraction
    // digit decides, since the decimal is exact.
    std::string kept = integer + fraction.substr(0, 2);
    if (fraction[2] >= '5') {
        std::size_t i = kept.size();
        while (i > 0) {
            --i;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
            if (i == 0) kept.insert(kept.begin(), '1');
        }
    }

    std::string text;
    const bool allZero = kept.find_first_not_of('0') == std::string::npos;
    if (negative && !allZero) text.push_back('-');
    text.append(kept, 0, kept.size() - 2);
    text.push_back(separator);
    text.append(kept, kept.size() - 2, 2);
    return text;
}

}  // namespace calc
