// The numeric test, the reader and the two-decimal format on arbitrary text.
// First byte: the decimal separator ('.' when even, ',' when odd); the rest:
// the text.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/numeric_text.h"
#include "calc/weight_format.h"

namespace {

// An invariant of the target; a broken one aborts so both libFuzzer and the
// corpus replay report it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// -?[0-9]+<sep>[0-9][0-9], never a negative zero: how a weight is shown.
bool IsWeightText(std::string_view t, char sep) {
    const auto digits = [&](std::size_t from, std::size_t to) {
        return from < to &&
               t.substr(from, to - from).find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::size_t start = t.starts_with('-') ? 1 : 0;
    const std::size_t point = t.size() < 3 ? 0 : t.size() - 3;
    return digits(start, point) && t[point] == sep && digits(point + 1, t.size()) &&
           !(start == 1 && t.find_first_not_of("0", 1) == point && t.ends_with("00"));
}

void CheckFormat(double value, char sep) {
    const std::string text = calc::FormatWeight(value, sep);
    FUZZ_CHECK(IsWeightText(text, sep));
    // Reading it back lands within half a hundredth of the 15-digit value
    // (plus what the double itself cannot hold at that size).
    char digits[40];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14).ptr;
    const auto fifteen = calc::ReadNumber(std::string_view(digits, end - digits));
    const auto back = calc::ReadNumber(text, sep);
    if (fifteen && back) {
        const double slack = 0.005 + std::abs(*fifteen) * 0x1p-51;
        FUZZ_CHECK(std::abs(*back - *fifteen) <= slack);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char sep = (data[0] & 1) ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto value = calc::ReadNumber(text, sep);
    FUZZ_CHECK(value.has_value() == calc::IsNumericText(text, sep));
    if (value) {
        FUZZ_CHECK(std::isfinite(*value));
        CheckFormat(*value, sep);
    }
    // The bytes as a double too, so every bit pattern meets the formatter.
    if (size >= 9) {
        double raw;
        __builtin_memcpy(&raw, data + 1, sizeof raw);
        if (std::isfinite(raw)) CheckFormat(raw, sep);
    }
    return 0;
}
