// A whole press of Calculate, and the stored result line, with arbitrary
// texts, positions and separators. Layout of the input: one byte each for the
// separator, the shape position, the alloy position and five unit positions
// (as signed bytes, so unknown units occur), then the texts of the pieces,
// the five slots, the five captions and the result field, split at '\n'.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/numeric_text.h"
#include "calc/press.h"
#include "fuzz_check.h"
#include "results/result_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    calc::PressInput in;
    in.separator = (data[0] & 1) ? ',' : '.';
    in.shapePosition = data[1] % 9;
    in.alloyPosition = data[2] % 26;
    for (int i = 0; i < calc::kSlotCount; ++i) {
        in.units[i] = static_cast<std::int8_t>(data[3 + i]) % 8;
    }
    std::array<std::string_view, 12> parts{};
    std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);
    for (std::string_view& part : parts) {
        const std::size_t cut = std::min(rest.find('\n'), rest.size());
        part = rest.substr(0, cut);
        rest.remove_prefix(std::min(cut + 1, rest.size()));
    }
    in.pieces = parts[0];
    for (int i = 0; i < calc::kSlotCount; ++i) {
        in.texts[i] = parts[1 + i];
        in.captions[i] = parts[6 + i];
    }
    in.result = parts[11];

    // No message leaves a formatted weight in the result field; a refusal of
    // the pieces or of a weight too large leaves the field alone.
    const calc::PressOutcome out = calc::EvaluatePress(in);
    FUZZ_CHECK(out.message.has_value() == (out.refusal != calc::Refusal::None));
    if (!out.message) FUZZ_CHECK(out.result && IsWeightText(*out.result, in.separator));
    if (out.result) FUZZ_CHECK(calc::IsNumericText(*out.result, in.separator));
    if (out.refusal == calc::Refusal::Pieces || out.refusal == calc::Refusal::TooLarge) {
        FUZZ_CHECK(!out.result);
    } else {
        FUZZ_CHECK(out.fieldCount == 2 || out.fieldCount == 3);
    }

    // Store Result on the same window: a line exactly when the result is a number.
    results::StoreSnapshot snapshot{"Steel (Default)", "Round Bar", {},
                                    in.pieces,         in.result,   in.separator};
    for (int i = 0; i < out.fieldCount; ++i) {
        snapshot.shownSlots.push_back({in.captions[i], in.texts[i], "in"});
    }
    const results::StoreOutcome stored = results::ComposeResultLine(snapshot);
    FUZZ_CHECK(stored.line.has_value() != stored.message.has_value());
    FUZZ_CHECK(stored.line.has_value() == calc::IsNumericText(in.result, in.separator));
    if (stored.line) FUZZ_CHECK(stored.line->ends_with(std::string(in.result) + " lbs."));
    return 0;
}
