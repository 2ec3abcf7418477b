#include "calc/numeric_text.h"

#include <charconv>
#include <string>
#include <system_error>

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

    // Mantissa. Track where the first significant digit stands so that an
    // underflow can be told from an overflow without a second parse.
    std::size_t digits = 0;
    long integerDigits = 0;    // significant digits before the separator
    long leadingFraction = 0;  // zeros after the separator before the first significant digit
    bool significant = false;
    bool inFraction = false;
    std::string normalized;
    normalized.reserve(s.size());
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            ++digits;
            if (c != '0') significant = true;
            if (!inFraction && significant) ++integerDigits;
            if (inFraction && !significant) ++leadingFraction;
            normalized.push_back(c);
        } else if (c == separator && !inFraction) {
            inFraction = true;
            normalized.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;

    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        normalized.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            normalized.push_back(s[i++]);
        }
        const std::size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            normalized.push_back(s[i]);
            if (exponent < 100000000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (i == start) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    double value = 0;
    const auto [end, ec] =
        std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (!significant) return negative ? -0.0 : 0.0;
        // Decimal magnitude of the first significant digit decides which way it went.
        const long magnitude =
            integerDigits > 0 ? exponent + integerDigits - 1 : exponent - leadingFraction - 1;
        if (magnitude > 0) return std::nullopt;  // beyond the double range
        return negative ? -0.0 : 0.0;            // too small to be told from zero
    }
    if (ec != std::errc() || end != normalized.data() + normalized.size()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace calc
