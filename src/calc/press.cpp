#include "calc/press.h"

#include <cmath>
#include <stdexcept>

#include "calc/field_check.h"
#include "calc/numeric_text.h"
#include "calc/weight_format.h"
#include "catalogue/alloys.h"
#include "catalogue/shapes.h"

namespace calc {

namespace {

using catalogue::ShapeFamily;
using catalogue::UnitConvertFeet;
using catalogue::UnitConvertInches;

// Pounds per foot of steel with unit cross-section.
double ShapeConstant(ShapeFamily family) {
    switch (family) {
        case ShapeFamily::RoundBar:
            return 2.6729;
        case ShapeFamily::HexagonBar:
            return 2.9473;
        case ShapeFamily::RoundTube:
            return 10.68;
        case ShapeFamily::SquareBar:
        case ShapeFamily::Flat:
            return 3.4032;
    }
    throw std::logic_error("unknown shape family");
}

double AlloyFactor(int alloyPosition) {
    if (alloyPosition < 0 || alloyPosition >= catalogue::kAlloyCount) {
        throw std::out_of_range("alloy position " + std::to_string(alloyPosition));
    }
    const auto factor = ReadNumber(catalogue::AlloyFactorText(alloyPosition + 1));
    if (!factor) throw std::logic_error("alloy factor is not a number");
    return *factor;
}

Message InvalidInput(std::string_view text) {
    return {std::string(text), std::string(kTitleInvalidInput)};
}

}  // namespace

std::optional<std::string> FinalFormat(std::string_view result, char separator) {
    const auto value = ReadNumber(result, separator);
    if (!value) return std::nullopt;
    return FormatWeight(*value, separator);
}

PressOutcome EvaluatePress(const PressInput& in) {
    PressOutcome out;
    const char sep = in.separator;

    const auto pieces = ReadNumber(in.pieces, sep);
    if (!pieces) {
        out.refusal = Refusal::Pieces;
        out.message = InvalidInput(kPiecesMessage);
        return out;  // the result field keeps its text exactly
    }

    const ShapeFamily family = catalogue::FamilyOf(catalogue::ShapeIdAtPosition(in.shapePosition));
    out.fieldCount = catalogue::LayoutOf(family).fieldCount;
    const double factor = AlloyFactor(in.alloyPosition);

    std::array<double, 3> value{};
    int firstRefused = -1;
    for (int i = 0; i < out.fieldCount; ++i) {
        const auto v = ReadNumber(in.texts[i], sep);
        if (!v && firstRefused < 0) firstRefused = i;
        value[i] = v.value_or(0);
    }
    auto refuse = [&](Refusal why, Message message, int named) {
        out.refusal = why;
        out.namedSlot = named;
        out.message = std::move(message);
        out.result = FinalFormat(in.result, sep);
        return out;
    };
    if (firstRefused >= 0) {
        return refuse(Refusal::Fields,
                      FieldErrorMessage(in.captions, in.texts, out.fieldCount, sep), firstRefused);
    }

    // Cross-section dimensions to inches, the length (always the last used slot) to feet.
    const int last = out.fieldCount - 1;
    std::array<double, 3> converted{};
    for (int i = 0; i < out.fieldCount; ++i) {
        converted[i] = i == last ? UnitConvertFeet(value[i], in.units[i])
                                 : UnitConvertInches(value[i], in.units[i]);
    }
    auto tooLarge = [&] {
        out.refusal = Refusal::TooLarge;
        out.message = InvalidInput(kTooLargeMessage);
        return out;  // the result field keeps its text exactly
    };
    for (int i = 0; i < out.fieldCount; ++i) {
        if (!std::isfinite(converted[i])) return tooLarge();
    }

    double a = converted[0];
    double b = out.fieldCount == 2 ? converted[0] : converted[1];
    const double length = converted[last];
    if (family == ShapeFamily::RoundTube) {
        const double outer = converted[0];
        const double wall = converted[1];
        if (!(outer - wall > 0)) return refuse(Refusal::Wall, InvalidInput(kWallMessage), 1);
        // A wall thicker than the radius describes no tube at all.
        if (outer - 2 * wall < 0)
            return refuse(Refusal::HalfWall, InvalidInput(kHalfWallMessage), 1);
        a = outer - wall;
    }

    const double k = ShapeConstant(family);
    const double weight = ((factor * ((a * k) * b)) * length) * *pieces;
    if (!std::isfinite(weight)) return tooLarge();
    // The two-decimal form straight from the double: the same digits as
    // writing it with 15 significant digits and formatting that text, without
    // a read-back that fails near the top of the double range.
    out.result = FormatWeight(weight, sep);
    // Right at the top of the double range the 15-digit rounding can step past
    // the largest double; such a weight could not be read back (or stored), so
    // it counts as too large to display.
    if (std::abs(weight) >= 1e308 && !ReadNumber(*out.result, sep)) {
        out.result.reset();
        return tooLarge();
    }
    return out;
}

}  // namespace calc
