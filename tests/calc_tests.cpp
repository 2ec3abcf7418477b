#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/default_ignorable.h"
#include "calc/field_check.h"
#include "calc/numeric_text.h"
#include "calc/press.h"
#include "calc/spoken_fields.h"
#include "calc/weight_format.h"
#include "catalogue/alloys.h"
#include "catalogue/shapes.h"
#include "presses.inc"

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
    std::string text;
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
    Formatting{"CommaNegative", -1.5, ',', "-1,50"},
    Formatting{"TopOfTheDoubleRange", std::numeric_limits<double>::max(), '.', "1797693134862320" + std::string(293, '0') + ".00"}),
    RowName<Formatting>);
// clang-format on

TEST(FieldErrorMessage, DropsOnlyTheLastCharacterOfACaption) {
    const std::string_view caps[] = {"Outer Diameter:", ""};
    const std::string_view texts[] = {"x", "x"};
    // An empty caption has nothing to drop; it must not fault.
    EXPECT_EQ(FieldErrorMessage(caps, texts, 2).text,
              "You entered an illegal value for the Outer Diameter and the ");
}

// ---- a press of Calculate ------------------------------------------------

// One row of tests/presses.tsv.
struct Press {
    std::string name;
    int shape = 0;
    std::array<std::string, 3> texts;
    std::array<catalogue::UnitIndex, 3> units{};
    std::string pieces;
    int alloy = 0;
    std::string before;                // result field before the press
    std::optional<std::string> after;  // none: unchanged
    std::optional<std::string> message;
    std::string title;
    char separator = '.';
};
void PrintTo(const Press& row, std::ostream* os) { *os << row.name; }

// Forms, units and alloys are named in the table as the lists show them.
int PositionOf(const std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) throw std::invalid_argument("presses.tsv: unknown " + name);
    return static_cast<int>(found - names.begin());
}

std::vector<Press> PressTable() {
    std::vector<std::string> shapes, units, alloys;
    for (int p = 0; p < catalogue::kShapeCount; ++p) {
        shapes.emplace_back(catalogue::ShapeName(catalogue::ShapeIdAtPosition(p)));
    }
    for (int u = 0; u < catalogue::kUnitCount; ++u)
        units.emplace_back(catalogue::UnitAbbreviation(u));
    for (int row = 1; row <= catalogue::kAlloyCount; ++row)
        alloys.emplace_back(catalogue::AlloyName(row));
    std::vector<Press> table;
    std::istringstream text(kPressTableText);
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
        if (f.size() != 15) throw std::invalid_argument("presses.tsv: 15 columns in " + line);
        Press p;
        p.name = f[0];
        p.shape = PositionOf(shapes, f[1]);
        for (int i = 0; i < 3; ++i) {
            p.texts[i] = f[2 + i];
            p.units[i] = static_cast<catalogue::UnitIndex>(PositionOf(units, f[5 + i]));
        }
        p.pieces = f[8];
        p.alloy = PositionOf(alloys, f[9]);
        p.before = f[10];
        if (f[11] != "-") p.after = f[11];
        if (f[12] != "-") p.message = f[12];
        p.title = f[13];
        p.separator = f[14].at(0);
        table.push_back(p);
    }
    return table;
}

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

INSTANTIATE_TEST_SUITE_P(Table, PressTest, testing::ValuesIn(PressTable()), RowName<Press>);

TEST(EvaluatePress, PositionsOutsideTheListsAreInternalErrors) {
    const std::vector<Press> table = PressTable();  // the input views its texts
    PressInput input = ToInput(table.front());
    input.alloyPosition = 26;
    EXPECT_THROW(EvaluatePress(input), std::out_of_range);
    input.alloyPosition = 0;
    input.shapePosition = -1;
    EXPECT_THROW(EvaluatePress(input), std::out_of_range);
}

// Each end of the ranges, and neighbours that show something.
TEST(IsDefaultIgnorable, FollowsUnicodesRangesToTheirEnds) {
    const struct {
        const char* name;
        char32_t c;
        bool ignorable;
    } rows[] = {
        {"digit", U'1', false},
        {"no-break space", 0x00A0, false},
        {"soft hyphen", 0x00AD, true},
        {"combining grapheme joiner", 0x034F, true},
        {"combining mark after it", 0x0350, false},
        {"Hangul choseong filler", 0x115F, true},
        {"Hangul jungseong filler", 0x1160, true},
        {"Hangul jungseong A", 0x1161, false},
        {"Mongolian free variation selector one", 0x180B, true},
        {"Mongolian free variation selector four", 0x180F, true},
        {"Mongolian digit zero", 0x1810, false},
        {"zero-width space", 0x200B, true},
        {"hyphen", 0x2010, false},
        {"reserved between the invisible operators and the isolates", 0x2065, true},
        {"Hangul filler", 0x3164, true},
        {"variation selector 16", 0xFE0F, true},
        {"byte order mark", 0xFEFF, true},
        {"halfwidth Hangul filler", 0xFFA0, true},
        {"last reserved before the annotations", 0xFFF8, true},
        {"interlinear annotation anchor", 0xFFF9, false},
        {"shorthand format up step", 0x1BCA3, true},
        {"musical symbol end phrase", 0x1D17A, true},
        {"musical symbol combining flag", 0x1D172, false},
        {"first tag code point", 0xE0000, true},
        {"variation selector 17", 0xE0100, true},
        {"last of the tag block's reserve", 0xE0FFF, true},
        {"first after it", 0xE1000, false},
        {"last code point", 0x10FFFF, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(calc::IsDefaultIgnorable(row.c), row.ignorable) << row.name;
}

// Each field with what it holds; blanks are no value, and carry no unit.
TEST(FieldsShownWords, SayEachFieldWithItsValueAndUnit) {
    const ShownField tube[] = {
        {"Outer Diameter", "2", "inches"}, {"Wall", " 10 ", "feet"}, {"Length", "  ", "feet"}};
    EXPECT_EQ(FieldsShownWords(tube), "Outer Diameter 2 inches, Wall 10 feet, Length empty");
    const ShownField bar[] = {{"Diameter", "x", "millimeters"}};
    EXPECT_EQ(FieldsShownWords(bar), "Diameter x millimeters");
}

}  // namespace
