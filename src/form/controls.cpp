#include "form/controls.h"

#include <cmath>

#include "calc/press.h"

namespace form {

namespace {

using K = ControlKind;
using S = ControlStyle;

}  // namespace

std::vector<Control> Controls() {
    std::vector<Control> table = {
        // clang-format off
        {"Frame1", "", "Metal Type and Form", 120, 120, 6612, 852, 0, K::Frame},
        {"Label3", "Frame1", "Alloy:", 240, 360, 612, 252, 17, K::Label, S::RightAligned},
        {"cmbAlloy", "Frame1", "", 1200, 360, 1812, 288, 1, K::ComboBox},
        {"Label1", "Frame1", "Form:", 3480, 360, 492, 252, 15, K::Label, S::RightAligned},
        {"cmbShapes", "Frame1", "", 4320, 360, 1572, 288, 2, K::ComboBox},
        {"Frame2", "", "Parameters", 120, 1080, 3492, 2892, 26, K::Frame},
        {"Label4", "Frame2", "Units:", 2520, 120, 852, 252, 33, K::Label},
        {"Frame4", "", "Addtional Parameters", 3840, 1080, 2892, 972, 35, K::Frame},
        {"Label6", "Frame4", "Number of Pieces:", 120, 480, 1452, 252, 36, K::Label},
        {"txtNumPieces", "Frame4", "1", 1680, 480, 1092, 288, 19, K::Field, S::RightAligned},
        {"Frame3", "", "Results", 3840, 2280, 2892, 1092, 27, K::Frame},
        {"Label5", "Frame3", "Calculated Weight:", 120, 360, 1452, 252, 34, K::Label},
        {"txtResult", "Frame3", "", 480, 600, 1812, 288, 20, K::Field},
        {"Label2", "Frame3", "lbs.", 2400, 600, 372, 252, 37, K::Label},
        {"cmdCalculate", "", "Calculate", 3960, 3600, 1212, 372, 21, K::Button},
        {"cmdClearFields", "", "Clear Fields", 5400, 3600, 1212, 372, 22, K::Button},
        {"lstResults", "", "", 120, 4080, 6612, 516, 39, K::List, S::SmallList},
        {"cmdStoreResult", "", "Store Result", 120, 4800, 1212, 372, 23, K::Button},
        {"cmdDeleteResult", "", "Remove Result", 1560, 4800, 1332, 372, 24, K::Button},
        {"cmdPrint", "", "Print Results", 3120, 4800, 1212, 372, 25, K::Button},
        {"cmdExit", "", "&Exit", 5880, 4800, 852, 372, 38, K::Button},
        {"lblCompany", "", "Company", 360, 5400, 795, 195, 41, K::Label, S::Bold},
        {"lblInfo", "", "Info", 360, 5640, 270, 195, 40, K::Label, S::AutoSize},
        {"lblCompURL", "", "CompURL", 360, 6480, 735, 195, 43, K::Link, S::Link},
        {"lblAuthorInfo", "", "AuthorInfo", 5040, 5400, 765, 195, 42, K::Label, S::AutoSize},
        {"lblAuthorInfo2", "", "AuthorInfo2", 5040, 5760, 825, 195, 44, K::Link, S::Link},
        {"Disclaimer", "",
         "Disclaimer: This calculator should be used for estimation purposes only.",
         720, 6840, 5295, 255, 45, K::Label},
        // clang-format on
    };
    // The five parameter slots, row i at top 480 + 480 i; the last label is lower.
    constexpr int kTextTabs[calc::kSlotCount] = {3, 8, 11, 13, 16};
    constexpr int kUnitTabs[calc::kSlotCount] = {4, 9, 12, 14, 18};
    for (int i = 0; i < calc::kSlotCount; ++i) {
        const int top = 480 + 480 * i;
        table.push_back({SlotName("lblParam", i), "Frame2", "Label2", 120, top, 852,
                         i == 4 ? 372 : 492, 28 + i, K::Label, S::Wrap});
        table.push_back(
            {SlotName("txtParam", i), "Frame2", "", 1080, top, 1092, 288, kTextTabs[i], K::Field});
        table.push_back({SlotName("cmbUnits", i), "Frame2", "", 2520, top, 732, 288, kUnitTabs[i],
                         K::ComboBox});
    }
    return table;
}

std::vector<Buddy> Buddies() {
    std::vector<Buddy> buddies = {{"Label3", "cmbAlloy"},
                                  {"Label1", "cmbShapes"},
                                  {"Label6", "txtNumPieces"},
                                  {"Label5", "txtResult"}};
    for (int i = 0; i < calc::kSlotCount; ++i) {
        buddies.push_back({SlotName("lblParam", i), SlotName("txtParam", i)});
    }
    return buddies;
}

std::string SlotName(std::string_view control, int slot) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "a" + b at -O3.
    std::string name(control);
    name += '(';
    name += std::to_string(slot);
    name += ')';
    return name;
}

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

std::string PlainName(const std::string& name) {
    std::string plain;
    for (const char c : name) {
        if (c != '(' && c != ')') plain.push_back(c);
    }
    return plain;
}

}  // namespace form
