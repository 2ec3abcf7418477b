#pragma once

#include <span>
#include <string_view>

#include "calc/messages.h"

namespace calc {

// The "Illegal Input" message naming every offending field among the first
// `fieldCount` slots, in slot order: each caption without its last character
// (the colon), joined by " and the ". Only meaningful when at least one of
// those slots is not numeric.
Message FieldErrorMessage(std::span<const std::string_view> captions,
                          std::span<const std::string_view> texts, int fieldCount,
                          char separator = '.');

}  // namespace calc
