// The window's controls, created from the core's table of the designed
// layout (form/controls.h), which the web page is built from too. Positions
// and sizes are in twips (15 to a logical pixel); a control in a frame is
// placed relative to the frame.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "form/controls.h"
#include "platform/fonts.h"
#include "window/form1.h"
#include "window/frame.h"
#include "window/link_label.h"
#include "window/results_list.h"
#include "window/wheel_guard.h"

namespace {

using form::ControlStyle;

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
    ControlStyle style = ControlStyle::Plain;
};

void Form1::CreateControls() {
    // Which member each designed control is; the design itself (text,
    // geometry, tab place, look) is the core's, shared with the web page.
    using Target = decltype(ControlRow::target);
    std::map<std::string, Target> targets = {
        {"Frame1", &Frame1},
        {"Label3", &Label3},
        {"cmbAlloy", &cmbAlloy},
        {"Label1", &Label1},
        {"cmbShapes", &cmbShapes},
        {"Frame2", &Frame2},
        {"Label4", &Label4},
        {"Frame4", &Frame4},
        {"Label6", &Label6},
        {"txtNumPieces", &txtNumPieces},
        {"Frame3", &Frame3},
        {"Label5", &Label5},
        {"txtResult", &txtResult},
        {"Label2", &Label2},
        {"cmdCalculate", &cmdCalculate},
        {"cmdClearFields", &cmdClearFields},
        {"lstResults", &lstResults},
        {"cmdStoreResult", &cmdStoreResult},
        {"cmdDeleteResult", &cmdDeleteResult},
        {"cmdPrint", &cmdPrint},
        {"cmdExit", &cmdExit},
        {"lblCompany", &lblCompany},
        {"lblInfo", &lblInfo},
        {"lblCompURL", &lblCompURL},
        {"lblAuthorInfo", &lblAuthorInfo},
        {"lblAuthorInfo2", &lblAuthorInfo2},
        {"Disclaimer", &Disclaimer},
    };
    for (int i = 0; i < kSlots; ++i) {
        targets.emplace(form::SlotName("lblParam", i), &lblParam[i]);
        targets.emplace(form::SlotName("txtParam", i), &txtParam[i]);
        targets.emplace(form::SlotName("cmbUnits", i), &cmbUnits[i]);
    }
    const std::map<std::string, Frame* const*> frames = {{"", nullptr},
                                                         {"Frame1", &Frame1},
                                                         {"Frame2", &Frame2},
                                                         {"Frame3", &Frame3},
                                                         {"Frame4", &Frame4}};
    const std::vector<form::Control> design = form::Controls();
    std::vector<ControlRow> table;
    for (const form::Control& c : design) {
        table.push_back({targets.at(c.name), QString::fromStdString(c.name), frames.at(c.container),
                         c.text.c_str(), c.left, c.top, c.width, c.height, c.tab, c.style});
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
        widget->setGeometry(form::TwipsToPixels(row.left), form::TwipsToPixels(row.top),
                            form::TwipsToPixels(row.width), form::TwipsToPixels(row.height));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        switch (row.style) {
            case ControlStyle::RightAligned:
                if (auto* label = qobject_cast<QLabel*>(widget)) {
                    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
                }
                if (auto* edit = qobject_cast<QLineEdit*>(widget))
                    edit->setAlignment(Qt::AlignRight);
                break;
            case ControlStyle::Bold: {
                QFont font = this->font();
                font.setBold(true);
                widget->setFont(font);
                widget->setProperty("autoSize", true);
                break;
            }
            case ControlStyle::Link: {
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
            case ControlStyle::AutoSize:
                widget->setProperty("autoSize", true);
                break;
            case ControlStyle::Wrap:
                static_cast<QLabel*>(widget)->setWordWrap(true);
                break;
            case ControlStyle::SmallList:
                widget->setFont(ListFont());
                break;
            case ControlStyle::Plain:
                break;
        }
        if (widget->focusPolicy() != Qt::NoFocus && row.tab != form::kNoTab) {
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
