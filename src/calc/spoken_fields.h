#pragma once

#include <span>
#include <string>
#include <string_view>

namespace calc {

// One field the window shows: its name without the colon, its text as typed,
// and its unit as a spoken word ("inches").
struct ShownField {
    std::string_view name;
    std::string_view text;
    std::string_view unitWord;
};

// What a screen reader is told after a change of form: each shown field with
// what it holds now, since the values stay in their slots while the captions
// change: "Outer Diameter 2 inches, Wall 10 feet, Length empty". A field of
// blanks is empty; its unit is then left out, as nothing is measured in it.
std::string FieldsShownWords(std::span<const ShownField> fields);

}  // namespace calc
