#pragma once

#include <string_view>

namespace catalogue {

// The alloy table: 48 rows of three text columns. Column 1 holds the display
// name, column 2 the weight factor relative to steel as decimal text; column 0,
// row 0 and rows 27..47 stay empty. List position p is row p + 1.
inline constexpr int kAlloyRows = 48;
inline constexpr int kAlloyColumns = 3;
inline constexpr int kAlloyCount = 26;

// Text at (row, column); throws std::out_of_range outside 0..47 / 0..2.
std::string_view AlloyCell(int row, int column);

inline std::string_view AlloyName(int row) { return AlloyCell(row, 1); }
inline std::string_view AlloyFactorText(int row) { return AlloyCell(row, 2); }

}  // namespace catalogue
