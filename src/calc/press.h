#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calc/messages.h"
#include "catalogue/units.h"

namespace calc {

inline constexpr int kSlotCount = 5;

// What a press of Calculate sees: a plain snapshot of the window.
struct PressInput {
    std::string_view pieces;
    std::array<std::string_view, kSlotCount> texts;        // txtParam(0..4)
    std::array<std::string_view, kSlotCount> captions;     // lblParam(0..4)
    std::array<catalogue::UnitIndex, kSlotCount> units{};  // selected unit positions
    int shapePosition = 0;
    int alloyPosition = 0;
    std::string_view result;  // current text of the result field
    char separator = '.';
};

enum class Refusal { None, Pieces, Fields, Wall, HalfWall, TooLarge };

// What the window must do after the press.
struct PressOutcome {
    Refusal refusal = Refusal::None;
    int fieldCount = 0;                 // slots the selected shape uses
    int namedSlot = -1;                 // the slot the message names first; -1 none
    std::optional<Message> message;     // the one message to show, if any
    std::optional<std::string> result;  // new text of the result field; none = unchanged
};

// Runs the calculation: pieces check, field check (one message naming every
// offending field), tube wall checks, the weight in the written order of
// operations, and the final two-decimal formatting of the result field.
// Throws std::out_of_range for a shape or alloy position outside the lists.
PressOutcome EvaluatePress(const PressInput& input);

// The final formatting of the result field: a numeric text is rewritten with
// two decimals, anything else stays as it is (none = unchanged).
std::optional<std::string> FinalFormat(std::string_view result, char separator);

}  // namespace calc
