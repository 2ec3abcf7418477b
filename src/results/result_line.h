#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/messages.h"

namespace results {

// One shown parameter slot as the window has it.
struct SlotSnapshot {
    std::string caption;  // with its colon, e.g. "Diameter:"
    std::string text;     // exactly as typed
    std::string unit;     // abbreviation, e.g. "in"
    bool operator==(const SlotSnapshot&) const = default;
};

// The window as Store Result reads it.
struct StoreSnapshot {
    std::string alloy;
    std::string shape;
    std::vector<SlotSnapshot> shownSlots;  // in slot order; hidden slots left out
    std::string pieces;                    // not tested
    std::string result;                    // untrimmed
    char separator = '.';
};

// The window right after the last press of Calculate, its result field as
// the press left it. `refused` when a message box refused the inputs: the
// field then holds no weight calculated from them. `resultEdited` once the
// user has changed the result field since (typed, pasted, dropped, undone),
// whatever it reads now: that weight is theirs, even where it reads as the
// calculated one did.
struct LastCalculation {
    StoreSnapshot window;
    bool refused = false;
    bool resultEdited = false;
};

struct StoreOutcome {
    std::optional<std::string> line;  // the line to append
    std::optional<calc::Message> message;
};

// The result line: alloy, shape, one piece per shown slot, pieces and weight,
// e.g. "Steel (Default)  Round Bar   Diameter: 2 in Length: 10 ft  Pieces: 1
// Total Weight: 106.92 lbs.". Refused while the trimmed result is not numeric;
// then refused while the user has not edited the result field since `last`
// and what it holds is no weight of the window as it is now (the alloy, form,
// a shown dimension or unit or the pieces changed since, or the press was
// refused), so no line states a weight for inputs it was not calculated from.
// A result the user edited since is theirs, stored as typed.
StoreOutcome ComposeResultLine(const StoreSnapshot& snapshot,
                               const std::optional<LastCalculation>& last = std::nullopt);

// Remove Result with no line selected.
calc::Message NothingSelectedMessage();

// A report that failed part way, with the reason the system gave.
calc::Message PrintFailedMessage(std::string_view reason);

// A report handed to the printer that never confirmed it: it may still print.
calc::Message PrintUnconfirmedMessage(std::string_view reason);

}  // namespace results
