#pragma once

namespace calc {

// Whether Unicode marks the code point Default_Ignorable_Code_Point: a
// character that shows nothing where a font has no glyph for it (variation
// selectors, Hangul fillers, the combining grapheme joiner, zero-width and
// bidirectional marks, tag characters, and the code points kept for more of
// them). A field that showed "12" but held one of these would be refused as
// illegal, so what comes into a field drops them.
bool IsDefaultIgnorable(char32_t c);

}  // namespace calc
