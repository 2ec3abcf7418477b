// The window's controls, created from one table that reads like the designed
// layout. Positions and sizes are in twips (15 to a logical pixel); a control
// in a frame is placed relative to the frame.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

#include "platform/fonts.h"
#include "window/form1.h"
#include "window/frame.h"
#include "window/link_label.h"
#include "window/results_list.h"
#include "window/wheel_guard.h"

namespace {

int Pixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

enum class Style { Plain, RightAligned, AutoSize, Bold, Link, Wrap, SmallList };

constexpr int kNoTab = -1;

}  // namespace

struct Form1::ControlRow {
    std::variant<Frame**, QLabel**, LinkLabel**, QComboBox**, QLineEdit**, ResultsList**,
                 QPushButton**>
        target;
    QString name;
    Frame* const* container;  // null: the window itself
    const char* text;
    int left, top, width, height;
    int tab;
    Style style = Style::Plain;
};

void Form1::CreateControls() {
    const QString p = "(%1)";
    std::vector<ControlRow> table = {
        // clang-format off
        {&Frame1, "Frame1", nullptr, "Metal Type and Form", 120, 120, 6612, 852, 0},
        {&Label3, "Label3", &Frame1, "Alloy:", 240, 360, 612, 252, 17, Style::RightAligned},
        {&cmbAlloy, "cmbAlloy", &Frame1, "", 1200, 360, 1812, 288, 1},
        {&Label1, "Label1", &Frame1, "Form:", 3480, 360, 492, 252, 15, Style::RightAligned},
        {&cmbShapes, "cmbShapes", &Frame1, "", 4320, 360, 1572, 288, 2},
        {&Frame2, "Frame2", nullptr, "Parameters", 120, 1080, 3492, 2892, 26},
        {&Label4, "Label4", &Frame2, "Units:", 2520, 120, 852, 252, 33},
        {&Frame4, "Frame4", nullptr, "Addtional Parameters", 3840, 1080, 2892, 972, 35},
        {&Label6, "Label6", &Frame4, "Number of Pieces:", 120, 480, 1452, 252, 36},
        {&txtNumPieces, "txtNumPieces", &Frame4, "1", 1680, 480, 1092, 288, 19, Style::RightAligned},
        {&Frame3, "Frame3", nullptr, "Results", 3840, 2280, 2892, 1092, 27},
        {&Label5, "Label5", &Frame3, "Calculated Weight:", 120, 360, 1452, 252, 34},
        {&txtResult, "txtResult", &Frame3, "", 480, 600, 1812, 288, 20},
        {&Label2, "Label2", &Frame3, "lbs.", 2400, 600, 372, 252, 37},
        {&cmdCalculate, "cmdCalculate", nullptr, "Calculate", 3960, 3600, 1212, 372, 21},
        {&cmdClearFields, "cmdClearFields", nullptr, "Clear Fields", 5400, 3600, 1212, 372, 22},
        {&lstResults, "lstResults", nullptr, "", 120, 4080, 6612, 516, 39, Style::SmallList},
        {&cmdStoreResult, "cmdStoreResult", nullptr, "Store Result", 120, 4800, 1212, 372, 23},
        {&cmdDeleteResult, "cmdDeleteResult", nullptr, "Remove Result", 1560, 4800, 1332, 372, 24},
        {&cmdPrint, "cmdPrint", nullptr, "Print Results", 3120, 4800, 1212, 372, 25},
        {&cmdExit, "cmdExit", nullptr, "&Exit", 5880, 4800, 852, 372, 38},
        {&lblCompany, "lblCompany", nullptr, "Company", 360, 5400, 795, 195, 41, Style::Bold},
        {&lblInfo, "lblInfo", nullptr, "Info", 360, 5640, 270, 195, 40, Style::AutoSize},
        {&lblCompURL, "lblCompURL", nullptr, "CompURL", 360, 6480, 735, 195, 43, Style::Link},
        {&lblAuthorInfo, "lblAuthorInfo", nullptr, "AuthorInfo", 5040, 5400, 765, 195, 42, Style::AutoSize},
        {&lblAuthorInfo2, "lblAuthorInfo2", nullptr, "AuthorInfo2", 5040, 5760, 825, 195, 44, Style::Link},
        {&Disclaimer, "Disclaimer", nullptr,
         "Disclaimer: This calculator should be used for estimation purposes only.",
         720, 6840, 5295, 255, 45},
        // clang-format on
    };
    // The five parameter slots, row i at top 480 + 480 i; the last label is lower.
    constexpr int kTextTabs[kSlots] = {3, 8, 11, 13, 16};
    constexpr int kUnitTabs[kSlots] = {4, 9, 12, 14, 18};
    for (int i = 0; i < kSlots; ++i) {
        const int top = 480 + 480 * i;
        table.push_back({&lblParam[i], "lblParam" + p.arg(i), &Frame2, "Label2", 120, top, 852,
                         i == 4 ? 372 : 492, 28 + i, Style::Wrap});
        table.push_back(
            {&txtParam[i], "txtParam" + p.arg(i), &Frame2, "", 1080, top, 1092, 288, kTextTabs[i]});
        table.push_back(
            {&cmbUnits[i], "cmbUnits" + p.arg(i), &Frame2, "", 2520, top, 732, 288, kUnitTabs[i]});
    }

    setFont(WindowFont());
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlRow& row : table) {
        QWidget* parent = row.container ? static_cast<QWidget*>(*row.container) : this;
        const QString text = QString::fromUtf8(row.text);
        QWidget* widget = std::visit(
            [&](auto** slot) -> QWidget* {
                using T = std::remove_pointer_t<std::remove_reference_t<decltype(*slot)>>;
                *slot = new T(parent);
                if constexpr (std::is_same_v<T, Frame>) {
                    (*slot)->setTitle(text);
                } else if constexpr (std::is_base_of_v<QLabel, T> || std::is_same_v<T, QLineEdit> ||
                                     std::is_same_v<T, QPushButton>) {
                    (*slot)->setText(text);
                }
                return *slot;
            },
            row.target);
        widget->setObjectName(row.name);
        widget->setGeometry(Pixels(row.left), Pixels(row.top), Pixels(row.width),
                            Pixels(row.height));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        switch (row.style) {
            case Style::RightAligned:
                if (auto* label = qobject_cast<QLabel*>(widget)) {
                    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
                }
                if (auto* edit = qobject_cast<QLineEdit*>(widget))
                    edit->setAlignment(Qt::AlignRight);
                break;
            case Style::Bold: {
                QFont font = this->font();
                font.setBold(true);
                widget->setFont(font);
                widget->setProperty("autoSize", true);
                break;
            }
            case Style::Link: {
                QFont font = this->font();
                font.setUnderline(true);
                widget->setFont(font);
                widget->setProperty("autoSize", true);
                // Room for the focus ring beside the first and last letters;
                // the text itself stays where it was designed.
                constexpr int kRingGap = 2;
                widget->setContentsMargins(kRingGap, 0, kRingGap, 0);
                widget->move(widget->x() - kRingGap, widget->y());
                break;
            }
            case Style::AutoSize:
                widget->setProperty("autoSize", true);
                break;
            case Style::Wrap:
                static_cast<QLabel*>(widget)->setWordWrap(true);
                break;
            case Style::SmallList:
                widget->setFont(ListFont());
                break;
            case Style::Plain:
                break;
        }
        if (widget->focusPolicy() != Qt::NoFocus && row.tab != kNoTab) {
            tabOrder.emplace_back(row.tab, widget);
        }
    }

    for (QComboBox* list : {cmbAlloy, cmbShapes}) list->setEditable(false);  // pick-only

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}
