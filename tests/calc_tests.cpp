#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "calc/field_check.h"
#include "calc/numeric_text.h"
#include "calc/press.h"
#include "calc/weight_format.h"
#include "catalogue/shapes.h"

using namespace calc;

namespace {

template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// ---- numeric test and reader ---------------------------------------------

struct Reading {
    const char* name;
    std::string text;
    char separator;
    std::optional<double> value;  // none: not numeric
};
void PrintTo(const Reading& row, std::ostream* os) { *os << row.name; }

class ReadNumberTest : public testing::TestWithParam<Reading> {};

TEST_P(ReadNumberTest, AcceptsExactlyTheNumberForm) {
    const auto& r = GetParam();
    EXPECT_EQ(IsNumericText(r.text, r.separator), r.value.has_value());
    EXPECT_EQ(ReadNumber(r.text, r.separator), r.value);
}

constexpr auto kNo = std::nullopt;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, ReadNumberTest, testing::Values(
    Reading{"BlanksAround", "  3 ", '.', 3.0},
    Reading{"Signs", "+2.5", '.', 2.5},
    Reading{"LeadingSeparator", "-.5", '.', -0.5},
    Reading{"TrailingSeparator", "5.", '.', 5.0},
    Reading{"Exponent", "25e-1", '.', 2.5},
    Reading{"LargestDouble", "1.7976931348623157e308", '.', std::numeric_limits<double>::max()},
    Reading{"UnderflowReadsAsZero", "1e-400", '.', 0.0},
    Reading{"HalfwayTiesToEven", "9007199254740993", '.', 9007199254740992.0},
    Reading{"HalfwayTiesToEvenUpward", "9007199254740995", '.', 9007199254740996.0},
    Reading{"JustAboveHalfway", "9007199254740993.000000000000000000000000001", '.', 9007199254740994.0},
    Reading{"SmallestSubnormal", "4.9406564584124654e-324", '.', std::numeric_limits<double>::denorm_min()},
    Reading{"BelowHalfTheSmallestSubnormal", "2.4703282292062327e-324", '.', 0.0},
    Reading{"RoundsUpToTheLargestDouble", "1.79769313486231580793e308", '.', std::numeric_limits<double>::max()},
    Reading{"RoundsUpBeyondTheLargestDouble", "1.797693134862315808e308", '.', kNo},
    Reading{"CommaWithExponent", " -1,25E+1 ", ',', -12.5},
    Reading{"PointRefusedWithComma", "0.5", ',', kNo},
    Reading{"BlanksOnly", "   ", '.', kNo},
    Reading{"TrailingLetter", "3x", '.', kNo},
    Reading{"Tab", "\t3", '.', kNo},
    Reading{"TwoSeparators", "1.2.3", '.', kNo},
    Reading{"SeparatorOnly", ".", '.', kNo},
    Reading{"DoubleSign", "--1", '.', kNo},
    Reading{"Infinity", "inf", '.', kNo},
    Reading{"BareExponent", "1e", '.', kNo},
    Reading{"ArabicIndicDigit", "\xD9\xA3", '.', kNo},
    Reading{"BeyondDoubleRange", "1e400", '.', kNo},
    Reading{"BeyondRangeBySmallMantissa", "0.001e312", '.', kNo},
    Reading{"HugeExponentDigits", "1e99999999999999999999", '.', kNo},
    Reading{"LongMantissaBeyondRange", "0.1" + std::string(400, '0') + "e310", '.', kNo},
    Reading{"LongMantissaTooSmall", "0." + std::string(400, '0') + "1e70", '.', 0.0},
    Reading{"LongIntegerScaledIntoRange", "1" + std::string(400, '0') + "e-400", '.', 1.0},
    Reading{"LongIntegerBeyondRange", std::string(100000, '1'), '.', kNo}),
    RowName<Reading>);
// clang-format on

// ---- two-decimal format --------------------------------------------------

struct Formatting {
    const char* name;
    double value;
    char separator;
    const char* text;
};
void PrintTo(const Formatting& row, std::ostream* os) { *os << row.name; }

class FormatWeightTest : public testing::TestWithParam<Formatting> {};

TEST_P(FormatWeightTest, RoundsTheFifteenDigitDecimal) {
    EXPECT_EQ(FormatWeight(GetParam().value, GetParam().separator), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Weights, FormatWeightTest, testing::Values(
    Formatting{"HairBelowHalf", 10.634999999999998, '.', "10.64"},
    Formatting{"BinaryBelowHalf", 2.675, '.', "2.68"},
    Formatting{"Integer", 5, '.', "5.00"},
    Formatting{"NegativeZero", -0.0, '.', "0.00"},
    Formatting{"TinyNegative", -0.004, '.', "0.00"},
    Formatting{"NegativeHalfAwayFromZero", -0.005, '.', "-0.01"},
    Formatting{"CarryThroughNines", 9.995, '.', "10.00"},
    Formatting{"ExactTieToEvenFifteenthDigit", 1234567890123445.0, '.', "1234567890123440.00"},
    Formatting{"SubnormalIsZero", 4.9406564584124654e-324, '.', "0.00"},
    Formatting{"FifteenDigitsOnly", 123456789012345678.0, '.', "123456789012346000.00"},
    Formatting{"CommaNegative", -1.5, ',', "-1,50"}),
    RowName<Formatting>);
// clang-format on

TEST(FormatWeight, TopOfTheDoubleRangeHasAllItsDigits) {
    const std::string text = FormatWeight(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(0, 16), "1797693134862320");
}

TEST(FieldErrorMessage, DropsOnlyTheLastCharacterOfACaption) {
    const std::string_view caps[] = {"Outer Diameter:", ""};
    const std::string_view texts[] = {"x", "x"};
    // An empty caption has nothing to drop; it must not fault.
    EXPECT_EQ(FieldErrorMessage(caps, texts, 2).text,
              "You entered an illegal value for the Outer Diameter and the ");
}

// ---- a press of Calculate ------------------------------------------------

enum Pos { Coil, FlatBar, HexagonBar, Plate, RoundBar, RoundTube, Sheet, SquareBar, Strip };
enum Alloy { Steel = 0, Tungsten = 24, Zirconium = 25 };
constexpr catalogue::UnitIndex in = 0, ft = 1, yd = 2, mm = 3, cm = 4, m = 5;
using Units = std::array<catalogue::UnitIndex, 3>;
const Units kFlat{in, in, ft}, kBar{in, ft, in};

struct Press {
    const char* name;
    Pos shape;
    std::array<const char*, 3> texts;
    Units units;
    const char* pieces = "1";
    int alloy = Steel;
    const char* before = "";                  // result field before the press
    std::optional<std::string> after = {};    // none: unchanged
    std::optional<std::string> message = {};  // none: no message
    const char* title = "";
    char separator = '.';
};
void PrintTo(const Press& row, std::ostream* os) { *os << row.name; }

PressInput ToInput(const Press& p) {
    PressInput in;
    in.pieces = p.pieces;
    const auto& layout =
        catalogue::LayoutOf(catalogue::FamilyOf(catalogue::ShapeIdAtPosition(p.shape)));
    for (int i = 0; i < 3; ++i) {
        in.texts[i] = p.texts[i];
        in.units[i] = p.units[i];
        in.captions[i] = layout.captions[i].empty() ? "Label2" : layout.captions[i];
    }
    in.texts[3] = in.texts[4] = "abc";  // hidden slots never count
    in.captions[3] = in.captions[4] = "Label2";
    in.shapePosition = p.shape;
    in.alloyPosition = p.alloy;
    in.result = p.before;
    in.separator = p.separator;
    return in;
}

class PressTest : public testing::TestWithParam<Press> {};

TEST_P(PressTest, GivesTheMessageAndTheResultText) {
    const auto& p = GetParam();
    const PressOutcome out = EvaluatePress(ToInput(p));
    EXPECT_EQ(out.result, p.after);
    ASSERT_EQ(out.message.has_value(), p.message.has_value());
    if (p.message) {
        EXPECT_EQ(out.message->text, *p.message);
        EXPECT_EQ(out.message->title, p.title);
    }
}

const char* const kPieces = "You entered an illegal value for the number of pieces";
const char* const kFields = "You entered an illegal value for the ";
const char* const kWall = "The Tube Wall Cannot exceed the Outer Diameter";
const char* const kHalfWall = "The Tube Wall Cannot exceed half the Outer Diameter";
const char* const kTooLarge = "The calculated weight is too large to display";
const std::string kAll3 = std::string(kFields) + "Thickness and the Width and the Length";
const std::string kTop = "1797693134862310" + std::string(293, '0') + ".00";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Weights, PressTest, testing::Values(
    Press{"RoundBar", RoundBar, {"1", "1", ""}, kBar, "1", Steel, "", "2.67"},
    Press{"SquareBar", SquareBar, {"1", "1", ""}, kBar, "1", Steel, "", "3.40"},
    Press{"HexagonBar", HexagonBar, {"1", "1", ""}, kBar, "1", Steel, "", "2.95"},
    Press{"Plate", Plate, {"0.5", "12", "10"}, kFlat, "1", Steel, "", "204.19"},
    Press{"Sheet", Sheet, {"0.125", "48", "8"}, kFlat, "1", Steel, "", "163.35"},
    Press{"CoilAsFlat", Coil, {"0.5", "12", "10"}, kFlat, "1", Steel, "", "204.19"},
    Press{"StripAsFlat", Strip, {"0.5", "12", "10"}, kFlat, "1", Steel, "", "204.19"},
    Press{"FlatBarHairBelowHalf", FlatBar, {"0.25", "2.5", "5"}, kFlat, "1", Steel, "", "10.64"},
    Press{"RoundTube", RoundTube, {"2", "0.25", "1"}, kFlat, "1", Steel, "", "4.67"},
    Press{"MillimetresLikeInchAndFoot", RoundBar, {"25.4", "304.8", ""}, {mm, mm, in}, "1", Steel, "", "2.67"},
    Press{"MixedMetricPlate", Plate, {"1.27", "0.3048", "1"}, {cm, m, yd}, "1", Steel, "", "61.26"},
    Press{"TungstenHexFourPieces", HexagonBar, {"2", "6", ""}, kBar, "4", Tungsten, "", "679.91"},
    Press{"Zirconium", SquareBar, {"1", "1", ""}, kBar, "1", Zirconium, "", "2.76"},
    Press{"FractionalPieces", SquareBar, {"1", "1", ""}, kBar, "2.5", Steel, "", "8.51"},
    Press{"PiecesWithBlanks", RoundBar, {"1", "1", ""}, kBar, " 3 ", Steel, "", "8.02"},
    Press{"CommaSeparator", Plate, {"0,5", "12", "10"}, kFlat, "1", Steel, "", "204,19", {}, "", ','},
    Press{"TubeNegativeWall", RoundTube, {"2", "-1", "1"}, kFlat, "1", Steel, "", "-32.04"},
    Press{"TubeSolidSection", RoundTube, {"2", "1", "1"}, kFlat, "1", Steel, "", "10.68"},
    Press{"TubeMetricDiameter", RoundTube, {"50", "0.25", "1"}, {mm, in, ft}, "1", Steel, "", "4.59"},
    Press{"JustBelowTheRoundingStep", SquareBar, {"1", "5.282361115603887e+307", ""}, kBar, "1", Steel, "9", kTop}),
    RowName<Press>);

INSTANTIATE_TEST_SUITE_P(Refusals, PressTest, testing::Values(
    Press{"PiecesEmptyKeepsResultExactly", RoundBar, {"1", "1", ""}, kBar, "", Steel, "5", {}, kPieces, "Invalid Input"},
    Press{"PiecesBeforeFields", RoundBar, {"", "", ""}, kBar, "3x", Steel, "5", {}, kPieces, "Invalid Input"},
    Press{"BothBarFields", RoundBar, {"abc", "", ""}, kBar, "1", Steel, "5", "5.00", std::string(kFields) + "Diameter and the Length", "Illegal Input"},
    Press{"BarLengthOnly", RoundBar, {"2", "", ""}, kBar, "1", Steel, "", {}, std::string(kFields) + "Length", "Illegal Input"},
    Press{"SheetAllEmpty", Sheet, {"", "", ""}, kFlat, "1", Steel, "3.40", "3.40", kAll3, "Illegal Input"},
    Press{"FlatBarWidth", FlatBar, {"1", "w", "1"}, kFlat, "1", Steel, "typed", {}, std::string(kFields) + "Width", "Illegal Input"},
    Press{"FirstAndLast", Plate, {"x", "1", " "}, kFlat, "1", Steel, "", {}, std::string(kFields) + "Thickness and the Length", "Illegal Input"},
    Press{"TubeDiameterBeforeWall", RoundTube, {"x", "5", "1"}, kFlat, "1", Steel, "", {}, std::string(kFields) + "Outer Diameter", "Illegal Input"},
    Press{"TubeWallEqualsDiameter", RoundTube, {"2", "2", "1"}, kFlat, "1", Steel, " 7 ", "7.00", kWall, "Invalid Input"},
    Press{"TubeWallInOtherUnit", RoundTube, {"50", "2", "1"}, {mm, in, ft}, "1", Steel, "", {}, kWall, "Invalid Input"},
    Press{"TubeWallJustAboveRadius", RoundTube, {"2", "1.01", "1"}, kFlat, "1", Steel, "4", "4.00", kHalfWall, "Invalid Input"},
    Press{"ProductOverflows", Plate, {"1e200", "1e200", "1"}, kFlat, "1", Steel, "9", {}, kTooLarge, "Invalid Input"},
    Press{"ConversionOverflows", RoundBar, {"1e308", "1", ""}, {yd, ft, in}, "1", Steel, "9", {}, kTooLarge, "Invalid Input"},
    Press{"TubeConversionsOverflow", RoundTube, {"1e308", "1e308", "1"}, {yd, yd, ft}, "1", Steel, "9", {}, kTooLarge, "Invalid Input"},
    Press{"RoundsPastTheLargestDouble", SquareBar, {"1", "5.282361115603889e+307", ""}, kBar, "1", Steel, "9", {}, kTooLarge, "Invalid Input"},
    Press{"BeyondRangeIsAnIllegalValue", RoundBar, {"1e400", "1", ""}, kBar, "1", Steel, "", {}, std::string(kFields) + "Diameter", "Illegal Input"}),
    RowName<Press>);
// clang-format on

TEST(EvaluatePress, PositionsOutsideTheListsAreInternalErrors) {
    PressInput input = ToInput(Press{"", RoundBar, {"1", "1", ""}, kBar});
    input.alloyPosition = 26;
    EXPECT_THROW(EvaluatePress(input), std::out_of_range);
    input.alloyPosition = 0;
    input.shapePosition = -1;
    EXPECT_THROW(EvaluatePress(input), std::out_of_range);
}

}  // namespace
