#include "calc/weight_format.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace calc {

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

std::string FormatWeight(double value, char separator) {
    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    if (result.ec != std::errc()) throw std::logic_error("FormatWeight: conversion failed");
    const std::string_view sci(buffer.data(), result.ptr - buffer.data());

    const bool negative = sci.front() == '-';
    const std::size_t start = negative ? 1 : 0;
    std::string digits;  // the 15 significant digits, no point
    digits.push_back(sci[start]);
    const std::size_t ePos = sci.find('e');
    for (std::size_t i = start + 2; i < ePos; ++i) digits.push_back(sci[i]);
    const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());

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
