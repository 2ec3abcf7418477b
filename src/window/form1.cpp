#include "window/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QResource>
#include <QSignalBlocker>
#include <span>
#include <stdexcept>
#include <string>

#include "calc/field_check.h"
#include "calc/press.h"
#include "calc/spoken_fields.h"
#include "catalogue/alloys.h"
#include "catalogue/shapes.h"
#include "catalogue/units.h"
#include "form/controls.h"
#include "form/provider.h"
#include "form/texts.h"
#include "platform/qt_platform.h"
#include "printing/print_dialog.h"
#include "speech/announcer.h"
#include "speech/combo_speech.h"
#include "speech/field_accessible.h"
#include "speech/list_speech.h"
#include "window/clean_paste.h"
#include "window/frame.h"
#include "window/link_label.h"
#include "window/one_line_validator.h"
#include "window/results_list.h"
#include "window/wheel_guard.h"

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A compiled-in 32 x 32 picture stored as raw pixels (BGRA bytes, the
// memory layout of QImage::Format_ARGB32 here): no image reader and no image
// plug-in is loaded at start-up for the two small pictures the window needs.
// scripts/icons writes them from the PNG files beside them.
QPixmap Picture(const QString& resource) {
    const QByteArray pixels = QResource(resource).uncompressedData();
    constexpr int kSide = 32;
    if (pixels.size() != kSide * kSide * 4) return {};
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), kSide, kSide,
                       QImage::Format_ARGB32);
    return QPixmap::fromImage(image);
}

}  // namespace

Platform QtPlatform() { return {MakeQtMessages(), MakeQtPrintDialog(), MakeQtBrowser()}; }

Form1::Form1() : Form1(QtPlatform()) {}

Form1::Form1(Platform platform, QWidget* parent) : QWidget(parent), platform_(std::move(platform)) {
    CommonDialogPrint = platform_.printDialog.get();
    setWindowTitle(ToQString(form::kWindowTitle));
    setWindowIcon(QIcon(Picture(":/icon.bgra")));
    setFixedSize(460, 474);  // 6900 x 7110 twips
    LinkLabel::InstallAccessibility();
    ComboSpeech::InstallAccessibility();
    field_accessible::Install();
    Announcer::InstallAccessibility();
    CreateControls();
    SetUpKeyboardAndReaders();
    for (QLabel* label : findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    lblAuthorInfo->setCursor(QCursor(Picture(":/hand.bgra"), 12, 1));
    ConnectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::ConnectHandlers() {
    connect(cmbShapes, &QComboBox::currentIndexChanged, this, &Form1::cmbShapes_Click);
    connect(cmdCalculate, &QPushButton::clicked, this, &Form1::cmdCalculate_Click);
    connect(cmdClearFields, &QPushButton::clicked, this, &Form1::cmdClearFields_Click);
    connect(cmdExit, &QPushButton::clicked, this, &Form1::cmdExit_Click);
    connect(cmdStoreResult, &QPushButton::clicked, this, &Form1::cmdStoreResult_Click);
    connect(cmdDeleteResult, &QPushButton::clicked, this, &Form1::cmdDeleteResult_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &Form1::cmdPrint_Click);
    connect(txtResult, &QLineEdit::textEdited, this, &Form1::txtResult_Change);
    connect(lblCompURL, &LinkLabel::clicked, this, &Form1::lblCompURL_Click);
    connect(lblAuthorInfo2, &LinkLabel::clicked, this, &Form1::lblAuthorInfo2_Click);
    ConnectResultShortcuts();
}

// Self-sizing labels follow their text.
void Form1::SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->property("autoSize").toBool()) label->adjustSize();
}

void Form1::SetUpKeyboardAndReaders() {
    // Return and Enter press a focused button, as Space does.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
    // A list takes focus by click or Tab only (not by the wheel), and ignores
    // the wheel until it has focus.
    auto* guard = new WheelGuard(this);
    for (QComboBox* list : findChildren<QComboBox*>()) {
        list->setFocusPolicy(Qt::StrongFocus);
        list->installEventFilter(guard);
        ComboSpeech::Attach(list);
    }
    announcer_ = std::make_unique<Announcer>(this);
    ListSpeech::Attach(lstResults, announcer_.get());
    // Captions as buddies: a screen reader reads the caption as the label of
    // the control it stands beside.
    for (const form::Buddy& buddy : form::Buddies()) {
        findChild<QLabel*>(ToQString(buddy.label))
            ->setBuddy(findChild<QWidget*>(ToQString(buddy.control)));
    }
    // One line of visible text in every field, whatever is pasted or dropped.
    auto* oneLine = new OneLineValidator(this);
    auto* paste = new CleanPaste(this);
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        field->setValidator(oneLine);
        paste->Watch(field);
    }
}

// The closed alloy list is too narrow for some names: it shows the full name
// as its tooltip. (Qt opens each list as wide as its longest entry.)
void Form1::ShowFullAlloyName() {
    cmbAlloy->setToolTip(cmbAlloy->currentText());
    connect(cmbAlloy, &QComboBox::currentTextChanged, cmbAlloy, &QWidget::setToolTip);
}

// The focused control shows its focus ring from the moment the window is
// active, not only after the first Tab (Qt clears the keyboard-focus mark
// when a window is activated).
bool Form1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        setAttribute(Qt::WA_KeyboardFocusChange);
        if (QWidget* focused = focusWidget()) focused->update();
    }
    return handled;
}

// A screen reader names each input after the caption beside it.
void Form1::UpdateAccessibleNames() {
    const auto name = [](const QLabel* caption) {
        return ToQString(form::FieldName(caption->text().toStdString()));
    };
    cmbAlloy->setAccessibleName(name(Label3));
    cmbShapes->setAccessibleName(name(Label1));
    for (int i = 0; i < kSlots; ++i) {
        txtParam[i]->setAccessibleName(name(lblParam[i]));
        cmbUnits[i]->setAccessibleName(
            ToQString(form::UnitListName(lblParam[i]->text().toStdString())));
    }
    txtNumPieces->setAccessibleName(name(Label6));
    txtResult->setAccessibleName(name(Label5));
    txtResult->setAccessibleDescription(ToQString(form::kResultDescription));
    lstResults->setAccessibleName(ToQString(form::kResultsListName));
}

// The separator of the locale the numbers are typed and shown in; a locale
// whose separator is not a single ASCII character falls back to the point.
char Form1::DecimalSeparator() const {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.front().unicode() < 0x80) return point.front().toLatin1();
    return '.';
}

// ---- start-up ------------------------------------------------------------

void Form1::Form_Load() {
    InitUnits();
    InitAlloys();
    for (int i = 1; i <= catalogue::kAlloyCount; ++i) {
        cmbAlloy->insertItem(i - 1, strAlloys.at(static_cast<std::size_t>(i))[1]);
    }
    cmbAlloy->setCurrentIndex(0);
    InitShapes();
    {
        // Qt selects the first entry added; that is not a user's choice and
        // must not lay out the fields for a coil on the way.
        const QSignalBlocker filling(cmbShapes);
        for (const catalogue::ShapeId id : catalogue::kOfferedShapes) {
            cmbShapes->addItem(strShapes.at(static_cast<std::size_t>(id)));
        }
    }
    cmbShapes->setCurrentIndex(form::kStartShape);  // lays out its fields through cmbShapes_Click
    ShowFullAlloyName();

    const form::ProviderBlock who = form::Provider();
    SetCaption(lblCompany, ToQString(who.company));
    SetCaption(lblInfo, ToQString(who.info));
    SetCaption(lblCompURL, ToQString(who.companyLink));
    lblCompURL->SetAddress(provider::kDistributorWeb);
    SetCaption(lblAuthorInfo, ToQString(who.authorNotice));
    SetCaption(lblAuthorInfo2, ToQString(who.authorLink));
    lblAuthorInfo2->SetAddress(provider::kAuthorWeb);
    UpdateAccessibleNames();
}

void Form1::InitUnits() {
    for (int i = 0; i < catalogue::kUnitTableSize; ++i) {
        strUnits.at(static_cast<std::size_t>(i)) = ToQString(catalogue::UnitAbbreviation(i));
    }
    for (QComboBox* list : cmbUnits) {
        for (int u = 0; u < catalogue::kUnitCount; ++u) {
            list->insertItem(u, strUnits.at(u));
            // Read out as a word: "in" alone is heard as the preposition.
            list->setItemData(u, ToQString(catalogue::UnitWord(u)), Qt::AccessibleTextRole);
        }
        list->setCurrentIndex(0);
    }
}

void Form1::InitAlloys() {
    for (int row = 0; row < catalogue::kAlloyRows; ++row) {
        for (int column = 0; column < catalogue::kAlloyColumns; ++column) {
            strAlloys.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) =
                ToQString(catalogue::AlloyCell(row, column));
        }
    }
}

void Form1::InitShapes() {
    for (int id = 0; id < catalogue::kShapeTableSize; ++id) {
        strShapes.at(static_cast<std::size_t>(id)) = ToQString(catalogue::ShapeName(id));
    }
}

// ---- parameter fields ----------------------------------------------------

std::int16_t Form1::GetShapeID() const {
    return catalogue::ShapeIdAtPosition(cmbShapes->currentIndex());
}

void Form1::ChangeFields() {
    const auto& layout = catalogue::LayoutOf(catalogue::FamilyOf(GetShapeID()));
    for (int i = 0; i < layout.fieldCount; ++i) {
        lblParam[i]->setText(ToQString(layout.captions[static_cast<std::size_t>(i)]));
    }
    for (int i = 0; i < kSlots; ++i) lblParam[i]->setVisible(i < layout.fieldCount);
    for (int i = 0; i < kSlots; ++i) txtParam[i]->setVisible(i < layout.fieldCount);
    for (int i = 0; i < kSlots; ++i) cmbUnits[i]->setVisible(i < layout.fieldCount);
    UpdateAccessibleNames();
    // The user changed the form from the list (not the start-up): a screen
    // reader hears which fields there are now and what each holds.
    if (cmbShapes->hasFocus()) {
        std::array<std::string, kSlots> names;
        std::array<std::string, kSlots> texts;
        std::array<calc::ShownField, kSlots> shown;
        for (int i = 0; i < layout.fieldCount; ++i) {
            names[i] = txtParam[i]->accessibleName().toStdString();
            texts[i] = txtParam[i]->text().toStdString();
            shown[i] = {names[i], texts[i], catalogue::UnitWord(cmbUnits[i]->currentIndex())};
        }
        announcer_->FieldsShown(ToQString(calc::FieldsShownWords(
            std::span(shown).first(static_cast<std::size_t>(layout.fieldCount)))));
    }
}

// ---- calculation ---------------------------------------------------------

void Form1::CalculateWeight() {
    std::array<std::string, kSlots> texts;
    std::array<std::string, kSlots> captions;
    const std::string pieces = txtNumPieces->text().toStdString();
    const std::string result = txtResult->text().toStdString();
    calc::PressInput input;
    for (int i = 0; i < kSlots; ++i) {
        texts[i] = txtParam[i]->text().toStdString();
        captions[i] = lblParam[i]->text().toStdString();
        input.texts[i] = texts[i];
        input.captions[i] = captions[i];
        input.units[i] = static_cast<catalogue::UnitIndex>(cmbUnits[i]->currentIndex());
    }
    input.pieces = pieces;
    input.result = result;
    input.shapePosition = cmbShapes->currentIndex();
    input.alloyPosition = cmbAlloy->currentIndex();
    input.separator = DecimalSeparator();

    calc::PressOutcome outcome;
    try {
        outcome = calc::EvaluatePress(input);
    } catch (const std::out_of_range& error) {
        qWarning("Calculate stopped: %s", error.what());  // a list without its selection
        return;
    }
    if (outcome.refusal == calc::Refusal::Fields) {
        GenerateError(static_cast<std::int16_t>(outcome.fieldCount));
    } else if (outcome.message) {
        platform_.messages->ShowMessage(this, ToQString(outcome.message->text),
                                        ToQString(outcome.message->title));
    }
    if (outcome.result) txtResult->setText(ToQString(*outcome.result));
    lastCalculation_ = {TakeStoreSnapshot(), outcome.refusal != calc::Refusal::None, false};
    FocusNamedField(outcome);
    // A refusal is told by its message box alone, even where it tidies the
    // result field.
    if (outcome.result && outcome.refusal == calc::Refusal::None) {
        announcer_->WeightShown(txtResult->text());
    }
}

// After a refusal the focus goes to the first field its message named, its
// text selected, so the user hears which field to fix and can type anew.
void Form1::FocusNamedField(const calc::PressOutcome& outcome) {
    const std::string field = form::RefusedField(outcome);
    auto* named = field.empty() ? nullptr : findChild<QLineEdit*>(ToQString(field));
    if (!named) return;
    named->setFocus(Qt::OtherFocusReason);
    named->selectAll();
}

void Form1::GenerateError(const std::int16_t& intFieldCount) {
    std::array<std::string, kSlots> texts;
    std::array<std::string, kSlots> captions;
    std::array<std::string_view, kSlots> textViews;
    std::array<std::string_view, kSlots> captionViews;
    for (int i = 0; i < kSlots; ++i) {
        texts[i] = txtParam[i]->text().toStdString();
        captions[i] = lblParam[i]->text().toStdString();
        textViews[i] = texts[i];
        captionViews[i] = captions[i];
    }
    const calc::Message message =
        calc::FieldErrorMessage(captionViews, textViews, intFieldCount, DecimalSeparator());
    platform_.messages->ShowMessage(this, ToQString(message.text), ToQString(message.title));
}

// ---- handlers ------------------------------------------------------------

void Form1::cmbShapes_Click() { ChangeFields(); }

void Form1::cmdCalculate_Click() { CalculateWeight(); }

// Only the user's own edits (typing, a paste, a drop, Undo), never the
// window's: what the result field holds from then on is theirs to store.
void Form1::txtResult_Change() {
    if (lastCalculation_) lastCalculation_->resultEdited = true;
}

void Form1::ClearFields() {
    for (QLineEdit* field : txtParam) field->setText("");
    txtNumPieces->setText(ToQString(form::kClearedPieces));
    txtResult->setText("");
    announcer_->FieldsCleared();
}

void Form1::cmdClearFields_Click() { ClearFields(); }

void Form1::cmdExit_Click() { close(); }
