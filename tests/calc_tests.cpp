#include <gtest/gtest.h>

#include <cmath>
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

std::string RowName(const char* name) { return name; }

// ---- numeric test and reader ---------------------------------------------

struct Reading {
    const char* name;
    const char* text;
    char separator;
    std::optional<double> value;  // none: not numeric
};

void PrintTo(const Reading& row, std::ostream* os) { *os << row.name; }

class ReadNumberTest : public testing::TestWithParam<Reading> {};

TEST_P(ReadNumberTest, AcceptsExactlyTheNumberForm) {
    const auto& r = GetParam();
    const auto value = ReadNumber(r.text, r.separator);
    EXPECT_EQ(IsNumericText(r.text, r.separator), r.value.has_value());
    ASSERT_EQ(value.has_value(), r.value.has_value());
    if (value) {
        EXPECT_EQ(*value, *r.value);
    }
}

constexpr auto kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    testing::Values(
        Reading{"Integer", "3", '.', 3.0}, Reading{"BlanksAround", "  3 ", '.', 3.0},
        Reading{"Negative", "-1", '.', -1.0}, Reading{"PlusSign", "+2.5", '.', 2.5},
        Reading{"Zero", "0", '.', 0.0}, Reading{"LeadingSeparator", ".5", '.', 0.5},
        Reading{"TrailingSeparator", "5.", '.', 5.0}, Reading{"Exponent", "1E+20", '.', 1e20},
        Reading{"NegativeExponent", "25e-1", '.', 2.5},
        Reading{"CorrectlyRounded", "0.1", '.', 0.1},
        Reading{"LargestDouble", "1.7976931348623157e308", '.', std::numeric_limits<double>::max()},
        Reading{"UnderflowReadsAsZero", "1e-400", '.', 0.0},
        Reading{"CommaSeparator", "0,5", ',', 0.5},
        Reading{"CommaWithExponent", " -1,25e1 ", ',', -12.5},
        Reading{"PointRefusedWithCommaLocale", "0.5", ',', kNone},
        Reading{"CommaRefusedWithPointLocale", "0,5", '.', kNone}, Reading{"Empty", "", '.', kNone},
        Reading{"BlanksOnly", "   ", '.', kNone}, Reading{"Letters", "abc", '.', kNone},
        Reading{"TrailingLetter", "3x", '.', kNone}, Reading{"Tab", "\t3", '.', kNone},
        Reading{"TrailingNewline", "3\n", '.', kNone}, Reading{"Thousands", "1,000", '.', kNone},
        Reading{"TwoSeparators", "1.2.3", '.', kNone}, Reading{"SeparatorOnly", ".", '.', kNone},
        Reading{"SignOnly", "-", '.', kNone}, Reading{"DoubleSign", "--1", '.', kNone},
        Reading{"InnerBlank", "1 2", '.', kNone}, Reading{"Hexadecimal", "0x1A", '.', kNone},
        Reading{"Infinity", "inf", '.', kNone}, Reading{"NotANumber", "nan", '.', kNone},
        Reading{"BareExponent", "1e", '.', kNone},
        Reading{"ExponentWithoutMantissa", "e5", '.', kNone},
        Reading{"ArabicIndicDigit", "\xD9\xA3", '.', kNone},
        Reading{"FullwidthDigit", "\xEF\xBC\x93", '.', kNone},
        Reading{"BeyondDoubleRange", "1e400", '.', kNone},
        Reading{"BeyondRangeBySmallMantissa", "0.001e312", '.', kNone},
        Reading{"HugeExponentDigits", "1e99999999999999999999", '.', kNone}),
    [](const auto& info) { return RowName(info.param.name); });

TEST(ReadNumber, LongTextsAreReadWithoutTrouble) {
    EXPECT_EQ(ReadNumber(std::string(100000, '1')), std::nullopt);  // beyond range
    EXPECT_EQ(ReadNumber("0." + std::string(100000, '0') + "1"), 0.0);
    EXPECT_EQ(ReadNumber(std::string(100000, ' ') + "7"), 7.0);
}

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
    const auto& f = GetParam();
    EXPECT_EQ(FormatWeight(f.value, f.separator), f.text);
}

INSTANTIATE_TEST_SUITE_P(
    Weights, FormatWeightTest,
    testing::Values(Formatting{"HairBelowHalf", 10.634999999999998, '.', "10.64"},
                    Formatting{"BinaryBelowHalf", 2.675, '.', "2.68"},
                    Formatting{"Plate", 204.192, '.', "204.19"},
                    Formatting{"Integer", 5, '.', "5.00"}, Formatting{"Zero", 0, '.', "0.00"},
                    Formatting{"NegativeZero", -0.0, '.', "0.00"},
                    Formatting{"TinyNegative", -0.004, '.', "0.00"},
                    Formatting{"NegativeHalfAwayFromZero", -0.005, '.', "-0.01"},
                    Formatting{"Negative", -2.6729, '.', "-2.67"},
                    Formatting{"CarryThroughNines", 9.995, '.', "10.00"},
                    Formatting{"CarryBelowOne", 0.999, '.', "1.00"},
                    Formatting{"SmallFraction", 0.0123, '.', "0.01"},
                    Formatting{"Large", 1e20, '.', "100000000000000000000.00"},
                    Formatting{"FifteenDigitsOnly", 123456789012345678.0, '.',
                               "123456789012346000.00"},
                    Formatting{"Comma", 204.192, ',', "204,19"},
                    Formatting{"CommaNegative", -1.5, ',', "-1,50"}),
    [](const auto& info) { return RowName(info.param.name); });

TEST(FormatWeight, TopOfTheDoubleRangeHasAllItsDigits) {
    const std::string text = FormatWeight(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(0, 16), "1797693134862320");
}

TEST(FifteenDigitText, ShortestFormOfTheRounding) {
    EXPECT_EQ(FifteenDigitText(204.192), "204.192");
    EXPECT_EQ(FifteenDigitText(10.634999999999998), "10.635");
    EXPECT_EQ(FifteenDigitText(1e20), "1e+20");
    EXPECT_EQ(FifteenDigitText(0.5, ','), "0,5");
}

// ---- field message -------------------------------------------------------

TEST(FieldErrorMessage, NamesEveryOffendingFieldInSlotOrder) {
    const std::string_view caps[] = {"Thickness:", "Width:", "Length:", "Label2:", "Label2:"};
    const struct {
        const char* name;
        std::array<std::string_view, 5> texts;
        int count;
        const char* text;
    } rows[] = {
        {"all three", {"", "", "", "", ""}, 3, "Thickness and the Width and the Length"},
        {"middle only", {"1", "w", "2", "", ""}, 3, "Width"},
        {"first and last", {"x", "1", " ", "", ""}, 3, "Thickness and the Length"},
        {"count limits the slots", {"1", "", "", "", ""}, 2, "Width"},
    };
    for (const auto& r : rows) {
        const Message m = FieldErrorMessage(caps, r.texts, r.count);
        EXPECT_EQ(m.text, std::string("You entered an illegal value for the ") + r.text) << r.name;
        EXPECT_EQ(m.title, "Illegal Input") << r.name;
    }
}

TEST(FieldErrorMessage, DropsOnlyTheLastCharacterOfACaption) {
    const std::string_view caps[] = {"Outer Diameter:", ""};
    const std::string_view texts[] = {"x", "x"};
    EXPECT_EQ(FieldErrorMessage(caps, texts, 1).text,
              "You entered an illegal value for the Outer Diameter");
    // An empty caption has nothing to drop; it must not fault.
    EXPECT_EQ(FieldErrorMessage(caps, texts, 2).text,
              "You entered an illegal value for the Outer Diameter and the ");
}

// ---- a press of Calculate ------------------------------------------------

enum Pos { Coil, FlatBar, HexagonBar, Plate, RoundBar, RoundTube, Sheet, SquareBar, Strip };
enum Alloy { Steel = 0, Aluminum6061 = 4, Tungsten = 24, Zirconium = 25 };
constexpr catalogue::UnitIndex in = 0, ft = 1, yd = 2, mm = 3, cm = 4, m = 5;

struct Press {
    const char* name;
    Pos shape;
    std::array<const char*, 3> texts;
    std::array<catalogue::UnitIndex, 3> units;
    const char* pieces = "1";
    int alloy = Steel;
    const char* before = "";                  // result field before the press
    std::optional<std::string> after = {};    // none: unchanged
    std::optional<std::string> message = {};  // text; none: no message
    const char* title = "";
    char separator = '.';
};

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

void PrintTo(const Press& row, std::ostream* os) { *os << row.name; }

class PressTest : public testing::TestWithParam<Press> {};

TEST_P(PressTest, GivesTheMessageAndTheResultText) {
    const auto& p = GetParam();
    const PressOutcome out = EvaluatePress(ToInput(p));
    EXPECT_EQ(out.result, p.after);
    if (p.message) {
        ASSERT_TRUE(out.message.has_value());
        EXPECT_EQ(out.message->text, *p.message);
        EXPECT_EQ(out.message->title, p.title);
    } else {
        EXPECT_FALSE(out.message.has_value()) << out.message->text;
    }
}

const char* const kPieces = "You entered an illegal value for the number of pieces";
const char* const kWall = "The Tube Wall Cannot exceed the Outer Diameter";
const char* const kHalfWall = "The Tube Wall Cannot exceed half the Outer Diameter";
const char* const kTooLarge = "The calculated weight is too large to display";

INSTANTIATE_TEST_SUITE_P(
    Weights, PressTest,
    testing::Values(
        Press{"RoundBar", RoundBar, {"1", "1", ""}, {in, ft, in}, "1", Steel, "", "2.67"},
        Press{"SquareBar", SquareBar, {"1", "1", ""}, {in, ft, in}, "1", Steel, "", "3.40"},
        Press{"HexagonBar", HexagonBar, {"1", "1", ""}, {in, ft, in}, "1", Steel, "", "2.95"},
        Press{"RoundBarThreePieces",
              RoundBar,
              {"2", "10", ""},
              {in, ft, in},
              "3",
              Steel,
              "",
              "320.75"},
        Press{"Plate", Plate, {"0.5", "12", "10"}, {in, in, ft}, "1", Steel, "", "204.19"},
        Press{"Sheet", Sheet, {"0.125", "48", "8"}, {in, in, ft}, "1", Steel, "", "163.35"},
        Press{"FlatBarHairBelowHalf",
              FlatBar,
              {"0.25", "2.5", "5"},
              {in, in, ft},
              "1",
              Steel,
              "",
              "10.64"},
        Press{"CoilAsFlat", Coil, {"0.5", "12", "10"}, {in, in, ft}, "1", Steel, "", "204.19"},
        Press{"StripAsFlat", Strip, {"0.5", "12", "10"}, {in, in, ft}, "1", Steel, "", "204.19"},
        Press{"RoundTube", RoundTube, {"2", "0.25", "1"}, {in, in, ft}, "1", Steel, "", "4.67"},
        Press{"MillimetresLikeInchAndFoot",
              RoundBar,
              {"25.4", "304.8", ""},
              {mm, mm, in},
              "1",
              Steel,
              "",
              "2.67"},
        Press{"LengthInInches", RoundBar, {"1", "12", ""}, {in, in, in}, "1", Steel, "", "2.67"},
        Press{"MixedMetricPlate",
              Plate,
              {"1.27", "0.3048", "1"},
              {cm, m, yd},
              "1",
              Steel,
              "",
              "61.26"},
        Press{"Aluminum", RoundBar, {"1", "1", ""}, {in, ft, in}, "1", Aluminum6061, "", "0.93"},
        Press{"TungstenHexFourPieces",
              HexagonBar,
              {"2", "6", ""},
              {in, ft, in},
              "4",
              Tungsten,
              "",
              "679.91"},
        Press{"Zirconium", SquareBar, {"1", "1", ""}, {in, ft, in}, "1", Zirconium, "", "2.76"},
        Press{
            "FractionalPieces", SquareBar, {"1", "1", ""}, {in, ft, in}, "2.5", Steel, "", "8.51"},
        Press{"ZeroPieces", SquareBar, {"1", "1", ""}, {in, ft, in}, "0", Steel, "", "0.00"},
        Press{"NegativeLength", RoundBar, {"1", "-1", ""}, {in, ft, in}, "1", Steel, "", "-2.67"},
        Press{"PiecesWithBlanks", RoundBar, {"1", "1", ""}, {in, ft, in}, " 3 ", Steel, "", "8.02"},
        Press{"GermanSeparator",
              Plate,
              {"0,5", "12", "10"},
              {in, in, ft},
              "1",
              Steel,
              "",
              "204,19",
              {},
              "",
              ','},
        Press{"TubeNegativeWall",
              RoundTube,
              {"2", "-1", "1"},
              {in, in, ft},
              "1",
              Steel,
              "",
              "-32.04"},
        Press{
            "TubeSolidSection", RoundTube, {"2", "1", "1"}, {in, in, ft}, "1", Steel, "", "10.68"},
        Press{"TubeWallJustBelowDiameterInMetric",
              RoundTube,
              {"50", "0.25", "1"},
              {mm, in, ft},
              "1",
              Steel,
              "",
              "4.59"}),
    [](const auto& info) { return RowName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Refusals, PressTest,
    testing::Values(
        Press{"PiecesEmptyKeepsResultExactly",
              RoundBar,
              {"1", "1", ""},
              {in, ft, in},
              "",
              Steel,
              "5",
              std::nullopt,
              kPieces,
              "Invalid Input"},
        Press{"PiecesLetters",
              RoundBar,
              {"1", "1", ""},
              {in, ft, in},
              "abc",
              Steel,
              "5",
              std::nullopt,
              kPieces,
              "Invalid Input"},
        Press{"PiecesBeforeFields",
              RoundBar,
              {"", "", ""},
              {in, ft, in},
              "3x",
              Steel,
              "5",
              std::nullopt,
              kPieces,
              "Invalid Input"},
        Press{"BothBarFields",
              RoundBar,
              {"abc", "", ""},
              {in, ft, in},
              "1",
              Steel,
              "5",
              "5.00",
              "You entered an illegal value for the Diameter and the Length",
              "Illegal Input"},
        Press{"BarLengthOnly",
              RoundBar,
              {"2", "", ""},
              {in, ft, in},
              "1",
              Steel,
              "",
              std::nullopt,
              "You entered an illegal value for the Length",
              "Illegal Input"},
        Press{"SheetAllEmpty",
              Sheet,
              {"", "", ""},
              {in, in, ft},
              "1",
              Steel,
              "3.40",
              "3.40",
              "You entered an illegal value for the Thickness and the Width and the Length",
              "Illegal Input"},
        Press{"FlatBarWidth",
              FlatBar,
              {"1", "w", "1"},
              {in, in, ft},
              "1",
              Steel,
              "typed",
              std::nullopt,
              "You entered an illegal value for the Width",
              "Illegal Input"},
        Press{"TubeOuterDiameterBeforeWall",
              RoundTube,
              {"x", "5", "1"},
              {in, in, ft},
              "1",
              Steel,
              "",
              std::nullopt,
              "You entered an illegal value for the Outer Diameter",
              "Illegal Input"},
        Press{"TubeWallEqualsDiameter",
              RoundTube,
              {"2", "2", "1"},
              {in, in, ft},
              "1",
              Steel,
              " 7 ",
              "7.00",
              kWall,
              "Invalid Input"},
        Press{"TubeWallAboveDiameter",
              RoundTube,
              {"2", "2.0001", "1"},
              {in, in, ft},
              "1",
              Steel,
              "",
              std::nullopt,
              kWall,
              "Invalid Input"},
        Press{"TubeWallInOtherUnit",
              RoundTube,
              {"50", "2", "1"},
              {mm, in, ft},
              "1",
              Steel,
              "",
              std::nullopt,
              kWall,
              "Invalid Input"},
        Press{"TubeWallAboveRadius",
              RoundTube,
              {"2", "1.5", "1"},
              {in, in, ft},
              "1",
              Steel,
              "4",
              "4.00",
              kHalfWall,
              "Invalid Input"},
        Press{"TubeWallJustAboveRadius",
              RoundTube,
              {"2", "1.99", "1"},
              {in, in, ft},
              "1",
              Steel,
              "",
              std::nullopt,
              kHalfWall,
              "Invalid Input"},
        Press{"ProductOverflows",
              Plate,
              {"1e200", "1e200", "1"},
              {in, in, ft},
              "1",
              Steel,
              "9",
              std::nullopt,
              kTooLarge,
              "Invalid Input"},
        Press{"ConversionOverflows",
              RoundBar,
              {"1e308", "1", ""},
              {yd, ft, in},
              "1",
              Steel,
              "9",
              std::nullopt,
              kTooLarge,
              "Invalid Input"},
        Press{"TubeConversionsOverflow",
              RoundTube,
              {"1e308", "1e308", "1"},
              {yd, yd, ft},
              "1",
              Steel,
              "9",
              std::nullopt,
              kTooLarge,
              "Invalid Input"},
        Press{"RoundsPastTheLargestDouble",
              SquareBar,
              {"1", "5.282361115603889e+307", ""},
              {in, ft, in},
              "1",
              Steel,
              "9",
              std::nullopt,
              kTooLarge,
              "Invalid Input"},
        Press{"JustBelowTheRoundingStep",
              SquareBar,
              {"1", "5.282361115603887e+307", ""},
              {in, ft, in},
              "1",
              Steel,
              "9",
              "1797693134862310" + std::string(293, '0') + ".00"},
        Press{"BeyondRangeIsAnIllegalValue",
              RoundBar,
              {"1e400", "1", ""},
              {in, ft, in},
              "1",
              Steel,
              "",
              std::nullopt,
              "You entered an illegal value for the Diameter",
              "Illegal Input"}),
    [](const auto& info) { return RowName(info.param.name); });

TEST(EvaluatePress, ReportsTheFieldCountOfTheShape) {
    Press p{"", Plate, {"", "", ""}, {in, in, ft}};
    EXPECT_EQ(EvaluatePress(ToInput(p)).fieldCount, 3);
    EXPECT_EQ(EvaluatePress(ToInput(p)).refusal, Refusal::Fields);
    p.shape = HexagonBar;
    EXPECT_EQ(EvaluatePress(ToInput(p)).fieldCount, 2);
}

TEST(EvaluatePress, PositionsOutsideTheListsAreInternalErrors) {
    PressInput input = ToInput(Press{"", RoundBar, {"1", "1", ""}, {in, ft, in}});
    input.alloyPosition = 26;
    EXPECT_THROW(EvaluatePress(input), std::out_of_range);
    input.alloyPosition = 0;
    input.shapePosition = -1;
    EXPECT_THROW(EvaluatePress(input), std::out_of_range);
}

TEST(FinalFormat, RewritesOnlyNumericText) {
    EXPECT_EQ(FinalFormat(" 12.5 ", '.'), "12.50");
    EXPECT_EQ(FinalFormat("", '.'), std::nullopt);
    EXPECT_EQ(FinalFormat("heavy", '.'), std::nullopt);
    EXPECT_EQ(FinalFormat("1,5", ','), "1,50");
}

}  // namespace
