#pragma once

#include <cstdint>
#include <string_view>

namespace catalogue {

// Position of a unit in every unit list and its index in the abbreviation table.
using UnitIndex = std::int16_t;

inline constexpr int kUnitTableSize = 8;  // entries 6 and 7 stay empty
inline constexpr int kUnitCount = 6;      // "in", "ft", "yd", "mm", "cm", "m"

// Abbreviation at table index 0..7; throws std::out_of_range outside.
std::string_view UnitAbbreviation(int index);

// The unit as a spoken word ("inches" for "in"), for screen readers; table
// index 0..7, throws std::out_of_range outside.
std::string_view UnitWord(int index);

// A length in unit `ParamNumber` brought to inches / to feet. The operations run
// in the written order (millimetres are divided by 10 and then by 2.54), which
// fixes the last bit. An unknown unit returns the value unchanged.
double UnitConvertInches(const double& value, const UnitIndex& ParamNumber);
double UnitConvertFeet(const double& value, const UnitIndex& ParamNumber);

}  // namespace catalogue
