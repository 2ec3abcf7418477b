#include "catalogue/units.h"

#include <array>

#include "catalogue/checked_index.h"

namespace catalogue {

namespace {
constexpr std::array<std::string_view, kUnitTableSize> kAbbreviations = {"in", "ft", "yd", "mm",
                                                                         "cm", "m",  "",   ""};
constexpr std::array<std::string_view, kUnitTableSize> kWords = {
    "inches", "feet", "yards", "millimeters", "centimeters", "meters", "", ""};
}  // namespace

std::string_view UnitAbbreviation(int index) {
    return kAbbreviations[CheckedIndex(index, kAbbreviations.size(), "units")];
}

std::string_view UnitWord(int index) { return kWords[CheckedIndex(index, kWords.size(), "units")]; }

double UnitConvertInches(const double& value, const UnitIndex& ParamNumber) {
    switch (ParamNumber) {
        case 1:
            return value * 12;
        case 2:
            return value * 36;
        case 3:
            return (value / 10) / 2.54;
        case 4:
            return value / 2.54;
        case 5:
            return (value * 100) / 2.54;
        default:
            return value;  // 0 (inches) and any unknown unit
    }
}

double UnitConvertFeet(const double& value, const UnitIndex& ParamNumber) {
    switch (ParamNumber) {
        case 0:
            return value / 12;
        case 2:
            return value * 3;
        case 3:
            return ((value / 10) / 2.54) / 12;
        case 4:
            return (value / 2.54) / 12;
        case 5:
            return ((value * 100) / 2.54) / 12;
        default:
            return value;  // 1 (feet) and any unknown unit
    }
}

}  // namespace catalogue
