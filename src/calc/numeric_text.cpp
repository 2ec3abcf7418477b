#include "calc/numeric_text.h"

#include <string>

#include "calc/exact_decimal.h"

namespace calc {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text, char separator) {
    const std::string_view s = TrimSpaces(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // Mantissa: its digits without the separator, and how many of them follow it.
    std::string digits;
    long fractionDigits = 0;
    bool inFraction = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            digits.push_back(c);
            if (inFraction) ++fractionDigits;
        } else if (c == separator && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;

    // Exponent, capped far beyond any double so that it cannot overflow.
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
        const std::size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            if (exponent < 100000000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (i == start) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    const auto value = NearestDouble(digits, exponent - fractionDigits);
    if (!value) return std::nullopt;  // beyond the double range
    return negative ? -*value : *value;
}

}  // namespace calc
