#include "catalogue/shapes.h"

#include <string>

#include "catalogue/checked_index.h"

namespace catalogue {

namespace {

constexpr std::array<std::string_view, kShapeTableSize> kNames = {
    "",           "",           "",
    "",                                         // 0..3
    "Coil",       "Flat Bar",   "Hexagon Bar",  // 4..6
    "",                                         // 7
    "Plate",                                    // 8
    "",           "",                           // 9, 10
    "Round Bar",  "Round Tube", "Sheet",
    "Square Bar",
    "",       // 15
    "Strip",  // 16
    "",           "",           "",
    "",           "",           "",
    "",
};

constexpr ShapeLayout kBarLayout{2, {"Diameter:", "Length:", ""}};
constexpr ShapeLayout kFlatLayout{3, {"Thickness:", "Width:", "Length:"}};
constexpr ShapeLayout kTubeLayout{3, {"Outer Diameter:", "Wall:", "Length:"}};

}  // namespace

std::string_view ShapeName(int id) { return kNames[CheckedIndex(id, kNames.size(), "shapes")]; }

ShapeId ShapeIdAtPosition(int position) {
    if (position >= 0 && position < kShapeCount) return kOfferedShapes[position];
    return static_cast<ShapeId>(position + 4);
}

ShapeFamily FamilyOf(ShapeId id) {
    switch (id) {
        case 11:
            return ShapeFamily::RoundBar;
        case 14:
            return ShapeFamily::SquareBar;
        case 6:
            return ShapeFamily::HexagonBar;
        case 4:
        case 5:
        case 8:
        case 13:
        case 16:
            return ShapeFamily::Flat;
        case 12:
            return ShapeFamily::RoundTube;
        default:
            throw std::out_of_range("shapes: no family for id " + std::to_string(id));
    }
}

const ShapeLayout& LayoutOf(ShapeFamily family) {
    switch (family) {
        case ShapeFamily::Flat:
            return kFlatLayout;
        case ShapeFamily::RoundTube:
            return kTubeLayout;
        default:
            return kBarLayout;
    }
}

}  // namespace catalogue
