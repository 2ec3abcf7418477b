#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "catalogue/alloys.h"
#include "catalogue/shapes.h"
#include "catalogue/units.h"

using namespace catalogue;

namespace {

struct Conversion {
    const char* name;
    double value;
    UnitIndex unit;
    double inches;  // compared bit for bit
    double feet;
};
void PrintTo(const Conversion& row, std::ostream* os) { *os << row.name; }

class ConversionTest : public testing::TestWithParam<Conversion> {};

TEST_P(ConversionTest, IsBitExact) {
    EXPECT_EQ(UnitConvertInches(GetParam().value, GetParam().unit), GetParam().inches);
    EXPECT_EQ(UnitConvertFeet(GetParam().value, GetParam().unit), GetParam().feet);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Units, ConversionTest, testing::Values(
    Conversion{"OneMetre", 1, 5, 39.37007874015748, 3.2808398950131235},
    Conversion{"CentimetresPerInch", 2.54, 4, 1, 2.54 / 2.54 / 12},
    Conversion{"MillimetresPerFoot", 304.8, 3, 304.8 / 10 / 2.54, 1},
    Conversion{"OneYard", 1, 2, 36, 3},
    Conversion{"TwelveInches", 12, 0, 12, 1},
    Conversion{"NegativeFeet", -2, 1, -24, -2},
    Conversion{"NoSelectionPassesThrough", 3, -1, 3, 3},
    Conversion{"UnknownUnitPassesThrough", 3, 6, 3, 3}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Tables, HoldTheirEntriesAndCheckTheirBounds) {
    EXPECT_EQ(UnitAbbreviation(5), "m");
    EXPECT_EQ(UnitAbbreviation(7), "");
    EXPECT_THROW(UnitAbbreviation(8), std::out_of_range);
    EXPECT_EQ(UnitWord(3), "millimeters");  // read out for "mm"

    EXPECT_EQ(AlloyName(0), "");
    EXPECT_EQ(AlloyName(27), "");
    EXPECT_EQ(AlloyCell(1, 0), "");
    EXPECT_THROW(AlloyName(48), std::out_of_range);
    EXPECT_THROW(AlloyCell(1, 3), std::out_of_range);

    EXPECT_EQ(ShapeName(7), "");
    EXPECT_THROW(ShapeName(24), std::out_of_range);
    EXPECT_THROW(FamilyOf(3), std::out_of_range);
    EXPECT_EQ(ShapeIdAtPosition(-1), 3);  // no selection: no form's identifier
}

}  // namespace
