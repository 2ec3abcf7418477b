#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace catalogue {

// Identifier of a product form. Not a list position: position 3 is 8 (Plate).
using ShapeId = std::int16_t;

inline constexpr int kShapeTableSize = 24;
inline constexpr int kShapeCount = 9;

// The offered shapes in list order.
inline constexpr std::array<ShapeId, kShapeCount> kOfferedShapes = {4, 5, 6, 8, 11, 12, 13, 14, 16};

// Name at table index 0..23 (empty for ids that are not offered); throws
// std::out_of_range outside.
std::string_view ShapeName(int id);

// The identifier of the shape at a list position; any other position p gives
// p + 4 (so "no selection", -1, gives 3).
ShapeId ShapeIdAtPosition(int position);

// The three parameter layouts. The family also fixes the weight formula.
enum class ShapeFamily { RoundBar, SquareBar, HexagonBar, Flat, RoundTube };

struct ShapeLayout {
    int fieldCount;                            // slots shown, counted from slot 0
    std::array<std::string_view, 3> captions;  // captions of the shown slots
};

// Family of an offered shape; throws std::out_of_range for any other id.
ShapeFamily FamilyOf(ShapeId id);
const ShapeLayout& LayoutOf(ShapeFamily family);

}  // namespace catalogue
