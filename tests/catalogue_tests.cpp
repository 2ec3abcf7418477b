#include <gtest/gtest.h>

#include <stdexcept>

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
    const auto& c = GetParam();
    EXPECT_EQ(UnitConvertInches(c.value, c.unit), c.inches);
    EXPECT_EQ(UnitConvertFeet(c.value, c.unit), c.feet);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ConversionTest,
    testing::Values(Conversion{"OneMetre", 1, 5, 39.37007874015748, 3.2808398950131235},
                    Conversion{"CentimetresPerInch", 2.54, 4, 1, 2.54 / 2.54 / 12},
                    Conversion{"MillimetresPerInch", 25.4, 3, 1, 25.4 / 10 / 2.54 / 12},
                    Conversion{"CentimetresPerFoot", 30.48, 4, 30.48 / 2.54, 1},
                    Conversion{"MillimetresPerFoot", 304.8, 3, 304.8 / 10 / 2.54, 1},
                    Conversion{"OneFoot", 1, 1, 12, 1}, Conversion{"OneYard", 1, 2, 36, 3},
                    Conversion{"TwelveInches", 12, 0, 12, 1},
                    Conversion{"FractionalInches", 7.5, 0, 7.5, 0.625},
                    Conversion{"NegativeFeet", -2, 1, -24, -2},
                    Conversion{"NoSelectionPassesThrough", 3, -1, 3, 3},
                    Conversion{"UnknownUnitPassesThrough", 3, 6, 3, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitTable, HoldsSixAbbreviationsAndTwoEmptyEntries) {
    const char* expected[] = {"in", "ft", "yd", "mm", "cm", "m", "", ""};
    for (int i = 0; i < kUnitTableSize; ++i) EXPECT_EQ(UnitAbbreviation(i), expected[i]) << i;
    EXPECT_THROW(UnitAbbreviation(-1), std::out_of_range);
    EXPECT_THROW(UnitAbbreviation(8), std::out_of_range);
}

TEST(AlloyTable, RowsInListOrderWithExactFactors) {
    EXPECT_EQ(AlloyName(1), "Steel (Default)");
    EXPECT_EQ(AlloyFactorText(1), "1");
    EXPECT_EQ(AlloyName(5), "Aluminum 6061");
    EXPECT_EQ(AlloyFactorText(2), AlloyFactorText(5));    // both 0.3462
    EXPECT_EQ(AlloyFactorText(15), AlloyFactorText(22));  // Invar, Stainless 400: 1.01
    EXPECT_EQ(AlloyName(14), "Inconel 718");
    EXPECT_EQ(AlloyFactorText(14), "1");
    EXPECT_EQ(AlloyName(25), "Tungsten");
    EXPECT_EQ(AlloyFactorText(25), "2.403");
    EXPECT_EQ(AlloyName(26), "Zirconium");
    EXPECT_EQ(AlloyFactorText(26), "0.812");
}

TEST(AlloyTable, UnusedCellsAreEmptyAndBoundsAreChecked) {
    for (int row : {0, 27, 47}) {
        EXPECT_EQ(AlloyName(row), "") << row;
        EXPECT_EQ(AlloyFactorText(row), "") << row;
    }
    EXPECT_EQ(AlloyCell(1, 0), "");
    EXPECT_THROW(AlloyName(48), std::out_of_range);
    EXPECT_THROW(AlloyName(-1), std::out_of_range);
    EXPECT_THROW(AlloyCell(1, 3), std::out_of_range);
}

TEST(ShapeCatalogue, ListPositionsMapToIdentifiers) {
    const struct {
        int position;
        ShapeId id;
        const char* name;
    } rows[] = {{0, 4, "Coil"},   {1, 5, "Flat Bar"},    {2, 6, "Hexagon Bar"},
                {3, 8, "Plate"},  {4, 11, "Round Bar"},  {5, 12, "Round Tube"},
                {6, 13, "Sheet"}, {7, 14, "Square Bar"}, {8, 16, "Strip"}};
    for (const auto& r : rows) {
        EXPECT_EQ(ShapeIdAtPosition(r.position), r.id) << r.name;
        EXPECT_EQ(ShapeName(r.id), r.name);
    }
    EXPECT_EQ(ShapeIdAtPosition(-1), 3);  // no selection
    EXPECT_EQ(ShapeIdAtPosition(9), 13);
}

TEST(ShapeCatalogue, OnlyOfferedIdentifiersHaveNamesAndFamilies) {
    int named = 0;
    for (int id = 0; id < kShapeTableSize; ++id) {
        if (!ShapeName(id).empty()) ++named;
    }
    EXPECT_EQ(named, kShapeCount);
    EXPECT_EQ(ShapeName(7), "");
    EXPECT_THROW(ShapeName(24), std::out_of_range);
    EXPECT_THROW(FamilyOf(7), std::out_of_range);
    EXPECT_THROW(FamilyOf(3), std::out_of_range);
}

TEST(ShapeCatalogue, LayoutsCaptionEachFamily) {
    EXPECT_EQ(LayoutOf(FamilyOf(14)).captions[0], "Diameter:");  // Square Bar
    EXPECT_EQ(LayoutOf(FamilyOf(6)).fieldCount, 2);
    EXPECT_EQ(LayoutOf(FamilyOf(16)).captions[2], "Length:");
    EXPECT_EQ(LayoutOf(FamilyOf(12)).captions[0], "Outer Diameter:");
    EXPECT_EQ(LayoutOf(FamilyOf(12)).captions[1], "Wall:");
}

}  // namespace
