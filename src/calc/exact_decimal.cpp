#include "calc/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "calc/big_unsigned.h"

namespace calc {

namespace {

// A halfway point between two doubles has at most 767 significant decimal
// digits, so digits beyond these only matter as "something non-zero follows".
constexpr std::size_t kKeptDigits = 800;

// Decimal magnitudes beyond which the answer is known without arithmetic:
// DBL_MAX is 1.8e308 and half the smallest subnormal 2.5e-324.
constexpr long kMagnitudeTooLarge = 309;
constexpr long kMagnitudeTooSmall = -325;

constexpr int kMantissaBits = 53;
constexpr int kLowestNormalExponent = -1022;

// Decimals of at most 15 digits scaled by at most 10^22 need no big
// numbers: the digits and the power of ten are both exact doubles, so one
// multiplication or division, correctly rounded by IEEE 754, gives the nearest
// double. The typed dimensions and the alloy factors all go this way.
constexpr int kExactPowers = 22;
constexpr std::size_t kExactDigits = 15;

std::optional<double> ExactQuotient(std::string_view digits, long exponent) {
    if (digits.size() > kExactDigits || exponent < -kExactPowers || exponent > kExactPowers) {
        return std::nullopt;
    }
    std::uint64_t integer = 0;
    for (const char c : digits) integer = integer * 10 + static_cast<std::uint64_t>(c - '0');
    double power = 1;
    for (long i = 0; i < (exponent < 0 ? -exponent : exponent); ++i) power *= 10;
    const auto value = static_cast<double>(integer);
    return exponent < 0 ? value / power : value * power;
}

// |value| = mantissa * 2^exponent scaled by 10^k, k from 0 to 27, is
// mantissa * 5^k * 2^(exponent + k) with mantissa * 5^k below 2^117: exact in
// 128 bits. That covers every double from about 1e-12 to 1e14, the weights
// and dimensions the program shows, without big numbers.
__extension__ typedef unsigned __int128 Wide;
constexpr int kWidePowers = 27;

std::optional<SignificantDigits> WideDigits(std::uint64_t mantissa, int exponent, int count) {
    const double magnitude = std::ldexp(static_cast<double>(mantissa), exponent);
    const int first = static_cast<int>(std::floor(std::log10(magnitude)));
    const int k = count - 1 - first;  // digits wanted before the point after scaling
    if (k < 0 || k > kWidePowers || count > 18) return std::nullopt;
    Wide scaled = mantissa;
    for (int i = 0; i < k; ++i) scaled *= 5;
    const int shift = -(exponent + k);
    std::uint64_t kept = 0;
    bool up = false;
    if (shift <= 0) {
        kept = static_cast<std::uint64_t>(scaled << -shift);
    } else {
        if (shift >= 120) return std::nullopt;
        kept = static_cast<std::uint64_t>(scaled >> shift);
        const Wide rest = scaled & ((Wide{1} << shift) - 1);
        const Wide half = Wide{1} << (shift - 1);
        up = rest > half || (rest == half && kept % 2 == 1);
    }
    std::uint64_t low = 1;
    for (int i = 1; i < count; ++i) low *= 10;
    if (kept < low || kept >= low * 10) return std::nullopt;  // log10 was one off
    kept += up ? 1 : 0;
    int decimalExponent = first;
    if (kept == low * 10) {
        kept = low;
        ++decimalExponent;
    }
    return SignificantDigits{std::to_string(kept), decimalExponent};
}

BigUnsigned FromDigits(std::string_view digits) {
    BigUnsigned n;
    for (const char c : digits) {
        n.MultiplySmall(10);
        n.AddSmall(static_cast<std::uint32_t>(c - '0'));
    }
    return n;
}

}  // namespace

std::optional<double> NearestDouble(std::string_view digits, long exponent) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return 0.0;
    digits.remove_prefix(first);
    const auto last = digits.find_last_not_of('0');
    exponent += static_cast<long>(digits.size() - last - 1);
    digits = digits.substr(0, last + 1);

    if (const auto quick = ExactQuotient(digits, exponent)) return quick;

    const long magnitude = exponent + static_cast<long>(digits.size()) - 1;
    if (magnitude >= kMagnitudeTooLarge) return std::nullopt;
    if (magnitude <= kMagnitudeTooSmall) return 0.0;

    std::string kept(digits.substr(0, kKeptDigits));
    if (digits.size() > kKeptDigits) {
        exponent += static_cast<long>(digits.size() - kKeptDigits);
        kept.push_back('1');  // the dropped non-zero tail (it ended in a non-zero digit)
        --exponent;
    }

    // value = numerator / denominator * 2^-shift, with a quotient of 63 or 64 bits.
    BigUnsigned numerator = FromDigits(kept);
    BigUnsigned denominator(1);
    if (exponent >= 0) {
        numerator.MultiplyPower(10, exponent);
    } else {
        denominator.MultiplyPower(10, -exponent);
    }
    const long shift = 63 - (numerator.BitLength() - denominator.BitLength());
    if (shift > 0) {
        numerator.ShiftLeft(shift);
    } else {
        denominator.ShiftLeft(-shift);
    }
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        BigUnsigned step = denominator;
        step.ShiftLeft(bit);
        if (Compare(numerator, step) >= 0) {
            numerator.Subtract(step);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    const bool sticky = !numerator.IsZero();

    // Keep 53 bits, fewer where the result is subnormal; round to nearest, ties to even.
    const long topExponent = static_cast<long>(std::bit_width(quotient)) - 1 - shift;
    const long dropped =
        std::max(topExponent, long{kLowestNormalExponent}) - (kMantissaBits - 1) + shift;
    std::uint64_t mantissa = 0;
    if (dropped < 64) {
        mantissa = quotient >> dropped;
        const std::uint64_t rest = quotient & ((std::uint64_t{1} << dropped) - 1);
        const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
        if (rest > half || (rest == half && (sticky || (mantissa & 1) != 0))) ++mantissa;
    } else if (dropped == 64) {
        const std::uint64_t half = std::uint64_t{1} << 63;
        if (quotient > half || (quotient == half && sticky)) mantissa = 1;
    }
    const double value =
        std::ldexp(static_cast<double>(mantissa), static_cast<int>(dropped - shift));
    if (std::isinf(value)) return std::nullopt;
    return value;
}

SignificantDigits RoundToSignificantDigits(double value, int count) {
    const auto width = static_cast<std::size_t>(count);
    if (value == 0) return {std::string(width, '0'), 0};

    // |value| = mantissa * 2^binaryExponent exactly, written out as a decimal.
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, kMantissaBits));
    binaryExponent -= kMantissaBits;
    if (const auto quick = WideDigits(mantissa, binaryExponent, count)) return *quick;
    BigUnsigned exact(mantissa);
    int decimalExponent = 0;
    if (binaryExponent >= 0) {
        exact.ShiftLeft(binaryExponent);
    } else {
        exact.MultiplyPower(5, -binaryExponent);  // m / 2^k = m * 5^k / 10^k
        decimalExponent = binaryExponent;
    }
    std::string digits = exact.DecimalDigits();
    int exponent = static_cast<int>(digits.size()) - 1 + decimalExponent;

    if (digits.size() <= width) {
        digits.resize(width, '0');
        return {digits, exponent};
    }
    const char next = digits[width];
    const bool beyondHalf = digits.find_first_not_of('0', width + 1) != std::string::npos;
    digits.resize(width);
    const bool up = next > '5' || (next == '5' && (beyondHalf || (digits.back() - '0') % 2 == 1));
    if (up) {
        auto i = width;
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[i - 1];
        }
    }
    return {digits, exponent};
}

}  // namespace calc
