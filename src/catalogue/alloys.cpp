#include "catalogue/alloys.h"

#include <array>

#include "catalogue/checked_index.h"

namespace catalogue {

namespace {

struct AlloyRow {
    std::string_view name;
    std::string_view factor;
};

// Rows 1..26, in list order.
constexpr std::array<AlloyRow, kAlloyCount> kAlloys = {{
    {"Steel (Default)", "1"},
    {"Aluminum 1100", "0.3462"},
    {"Aluminum 2024", "0.3533"},
    {"Aluminum 5052", "0.3427"},
    {"Aluminum 6061", "0.3462"},
    {"Aluminum 7075", "0.3568"},
    {"Beryllium", "0.236"},
    {"Brass", "1.066"},
    {"Copper", "1.114"},
    {"Hastelloy Series", "1.107"},
    {"Incoloy 800", "0.99"},
    {"Inconel 600", "1.055"},
    {"Inconel 625", "1.052"},
    {"Inconel 718", "1"},
    {"Invar", "1.01"},
    {"Kovar", "1.041"},
    {"Magnesium", "0.229"},
    {"Molybdenum", "1.276"},
    {"Monel 400", "1.097"},
    {"Nickel 200", "1.132"},
    {"Stainless 300 Series", "1.03"},
    {"Stainless 400 Series", "1.01"},
    {"Tantalum", "2.069"},
    {"Titanium", "0.575"},
    {"Tungsten", "2.403"},
    {"Zirconium", "0.812"},
}};

}  // namespace

std::string_view AlloyCell(int row, int column) {
    const auto r = CheckedIndex(row, kAlloyRows, "alloys (row)");
    const auto c = CheckedIndex(column, kAlloyColumns, "alloys (column)");
    if (r < 1 || r > kAlloys.size() || c == 0) return {};
    return c == 1 ? kAlloys[r - 1].name : kAlloys[r - 1].factor;
}

}  // namespace catalogue
