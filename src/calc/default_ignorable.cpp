#include "calc/default_ignorable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace calc {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Default_Ignorable_Code_Point from Unicode 15.0's DerivedCoreProperties.txt,
// neighbouring ranges joined, in ascending order.
constexpr std::array<Range, 17> kIgnorable = {{
    {0x00AD, 0x00AD},    // soft hyphen
    {0x034F, 0x034F},    // combining grapheme joiner
    {0x061C, 0x061C},    // Arabic letter mark
    {0x115F, 0x1160},    // Hangul choseong and jungseong fillers
    {0x17B4, 0x17B5},    // Khmer inherent vowels
    {0x180B, 0x180F},    // Mongolian free variation selectors and vowel separator
    {0x200B, 0x200F},    // zero-width space, joiners, left-to-right and right-to-left marks
    {0x202A, 0x202E},    // bidirectional embeddings and overrides
    {0x2060, 0x206F},    // word joiner, invisible operators, isolates, deprecated formats
    {0x3164, 0x3164},    // Hangul filler
    {0xFE00, 0xFE0F},    // variation selectors 1 to 16
    {0xFEFF, 0xFEFF},    // zero-width no-break space (byte order mark)
    {0xFFA0, 0xFFA0},    // halfwidth Hangul filler
    {0xFFF0, 0xFFF8},    // kept for more of them
    {0x1BCA0, 0x1BCA3},  // shorthand format controls
    {0x1D173, 0x1D17A},  // musical symbol beam, tie, slur and phrase controls
    {0xE0000, 0xE0FFF},  // tags, variation selectors 17 to 256, and those kept for more
}};

static_assert(std::is_sorted(kIgnorable.begin(), kIgnorable.end(),
                             [](Range a, Range b) { return a.last < b.first; }));

}  // namespace

bool IsDefaultIgnorable(char32_t c) {
    const auto after = std::upper_bound(kIgnorable.begin(), kIgnorable.end(), c,
                                        [](char32_t value, Range r) { return value < r.first; });
    return after != kIgnorable.begin() && c <= std::prev(after)->last;
}

}  // namespace calc
