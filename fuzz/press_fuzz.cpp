// A whole press of Calculate, and the stored result line, with arbitrary
// texts, positions and separators. Layout of the input: one byte each for the
// separator, the shape position, the alloy position and five unit positions
// (as signed bytes, so unknown units occur), then the texts of the pieces,
// the five slots, the five captions and the result field, split at '\n'.

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "calc/numeric_text.h"
#include "calc/press.h"
#include "fuzz_check.h"
#include "results/result_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 8;
    if (size < kHeader) return 0;
    calc::PressInput in;
    in.separator = (data[0] & 1) ? ',' : '.';
    in.shapePosition = data[1] % 9;
    in.alloyPosition = data[2] % 26;
    for (int i = 0; i < calc::kSlotCount; ++i) {
        in.units[i] = static_cast<std::int8_t>(data[3 + i]) % 8;
    }
    std::vector<std::string_view> parts;
    std::string_view rest(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    while (parts.size() < 12) {
        const std::size_t cut = rest.find('\n');
        parts.push_back(rest.substr(0, cut));
        if (cut == std::string_view::npos) {
            rest = {};
        } else {
            rest.remove_prefix(cut + 1);
        }
    }
    in.pieces = parts[0];
    for (int i = 0; i < calc::kSlotCount; ++i) {
        in.texts[i] = parts[1 + i];
        in.captions[i] = parts[6 + i];
    }
    in.result = parts[11];

    const calc::PressOutcome out = calc::EvaluatePress(in);
    if (out.refusal != calc::Refusal::Pieces)
        FUZZ_CHECK(out.fieldCount == 2 || out.fieldCount == 3);
    if (!out.message) {
        FUZZ_CHECK(out.refusal == calc::Refusal::None);
        FUZZ_CHECK(out.result.has_value() && IsWeightText(*out.result, in.separator));
    } else {
        FUZZ_CHECK(out.refusal != calc::Refusal::None);
    }
    if (out.result) FUZZ_CHECK(calc::IsNumericText(*out.result, in.separator));
    if (out.refusal == calc::Refusal::Pieces || out.refusal == calc::Refusal::TooLarge) {
        FUZZ_CHECK(!out.result.has_value());  // the result field is left alone
    }

    // Store Result on the same window.
    results::StoreSnapshot snapshot{"Steel (Default)", "Round Bar", {},
                                    in.pieces,         in.result,   in.separator};
    for (int i = 0; i < out.fieldCount; ++i) {
        snapshot.shownSlots.push_back({in.captions[i], in.texts[i], "in"});
    }
    const results::StoreOutcome stored = results::ComposeResultLine(snapshot);
    FUZZ_CHECK(stored.line.has_value() != stored.message.has_value());
    FUZZ_CHECK(stored.line.has_value() == calc::IsNumericText(in.result, in.separator));
    if (stored.line) {
        FUZZ_CHECK(stored.line->ends_with(std::string(in.result) + " lbs."));
        FUZZ_CHECK(stored.line->find(in.pieces) != std::string::npos);
    }
    return 0;
}
