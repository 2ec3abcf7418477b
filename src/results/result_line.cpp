#include "results/result_line.h"

#include <tuple>

#include "calc/numeric_text.h"

namespace results {

namespace {

// What a weight is calculated from (the slots' captions go with the form).
auto Inputs(const StoreSnapshot& s) { return std::tie(s.alloy, s.shape, s.shownSlots, s.pieces); }

bool IsStale(const StoreSnapshot& now, const std::optional<LastCalculation>& last) {
    if (!last || last->resultEdited) return false;
    return last->refused || Inputs(now) != Inputs(last->window);
}

// A reason the system gave, as the end of a sentence: with its full stop,
// which system texts sometimes carry and sometimes do not.
std::string Sentence(std::string_view reason) {
    std::string text(reason);
    if (text.empty() || (text.back() != '.' && text.back() != '!' && text.back() != '?')) {
        text += '.';
    }
    return text;
}

StoreOutcome Refused(const char* text) {
    return {std::nullopt, calc::Message{text, "Store Failed"}};
}

}  // namespace

StoreOutcome ComposeResultLine(const StoreSnapshot& s, const std::optional<LastCalculation>& last) {
    if (!calc::IsNumericText(s.result, s.separator)) {
        return Refused("There is no calculation to be stored");
    }
    if (IsStale(s, last)) {
        return Refused("The weight shown is from an earlier calculation. Press Calculate first.");
    }
    std::string line;
    line.reserve(64 + s.result.size() + s.pieces.size());
    line.append(s.alloy).append("  ").append(s.shape).append("  ");
    for (const SlotSnapshot& slot : s.shownSlots) {
        if (calc::IsNumericText(slot.text, s.separator)) {
            line.append(" ").append(slot.caption).append(" ").append(slot.text);
        } else {
            // A field without a number is written as 0.0, one blank more in front.
            line.append("  ").append(slot.caption).append(" 0.0");
        }
        line.append(" ").append(slot.unit);
    }
    line.append("  Pieces: ").append(s.pieces);
    line.append("  Total Weight: ").append(s.result).append(" lbs.");
    return {std::move(line), std::nullopt};
}

calc::Message NothingSelectedMessage() {
    return {"Please select a calculation to delete", "Remove Failed"};
}

calc::Message PrintFailedMessage(std::string_view reason) {
    if (reason.empty()) return {"The report could not be printed.", "Print Failed"};
    return {"The report could not be printed: " + Sentence(reason), "Print Failed"};
}

calc::Message PrintUnconfirmedMessage(std::string_view reason) {
    if (reason.empty()) return {"The report may still print.", "Print Not Confirmed"};
    return {"The report may still print: " + Sentence(reason), "Print Not Confirmed"};
}

}  // namespace results
