#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/messages.h"

namespace results {

// One shown parameter slot as the window has it at the press.
struct SlotSnapshot {
    std::string_view caption;  // with its colon, e.g. "Diameter:"
    std::string_view text;     // exactly as typed
    std::string_view unit;     // abbreviation, e.g. "in"
};

// The window at the moment of a press of Store Result.
struct StoreSnapshot {
    std::string_view alloy;
    std::string_view shape;
    std::vector<SlotSnapshot> shownSlots;  // in slot order; hidden slots left out
    std::string_view pieces;               // not tested
    std::string_view result;               // untrimmed
    char separator = '.';
};

struct StoreOutcome {
    std::optional<std::string> line;  // the line to append
    std::optional<calc::Message> message;
};

// The result line: alloy, shape, one piece per shown slot, pieces and weight,
// e.g. "Steel (Default)  Round Bar   Diameter: 2 in Length: 10 ft  Pieces: 1
// Total Weight: 106.92 lbs.". Refused while the trimmed result is not numeric.
StoreOutcome ComposeResultLine(const StoreSnapshot& snapshot);

// Remove Result with no line selected.
calc::Message NothingSelectedMessage();

// A report that failed part way, with the reason the system gave.
calc::Message PrintFailedMessage(std::string_view reason);

// A report handed to the printer that never confirmed it: it may still print.
calc::Message PrintUnconfirmedMessage(std::string_view reason);

}  // namespace results
