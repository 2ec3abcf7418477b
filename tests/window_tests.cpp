#include <QClipboard>
#include <QFontMetrics>
#include <QGroupBox>
#include <QSignalSpy>

#include "window_fixture.h"

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

TEST_F(WindowTest, StartsWithTheListsFilledAndRoundBarLaidOut) {
    EXPECT_EQ(form_->windowTitle(), "Vevari Radidu Zezareruze");
    const auto* alloys = Get<QComboBox>("cmbAlloy");
    EXPECT_EQ(alloys->count(), 26);
    EXPECT_EQ(alloys->currentText(), "Steel (Default)");
    EXPECT_EQ(alloys->itemText(25), "Zirconium");
    EXPECT_EQ(Entries(Get<QComboBox>("cmbShapes")),
              QStringList({"Coil", "Flat Bar", "Hexagon Bar", "Plate", "Round Bar", "Round Tube",
                           "Sheet", "Square Bar", "Strip"}));
    EXPECT_EQ(Get<QComboBox>("cmbShapes")->currentText(), "Round Bar");
    for (int i = 0; i < Form1::kSlots; ++i) {
        EXPECT_EQ(Entries(Units(i)), QStringList({"in", "ft", "yd", "mm", "cm", "m"})) << i;
        EXPECT_EQ(Units(i)->currentIndex(), 0) << i;
        EXPECT_EQ(Field(i)->isVisible(), i < 2) << i;
        EXPECT_EQ(Units(i)->isVisible(), i < 2) << i;
        EXPECT_EQ(Caption(i)->isVisible(), i < 2) << i;
    }
    EXPECT_EQ(Caption(0)->text(), "Diameter:");
    EXPECT_EQ(Caption(1)->text(), "Length:");
    EXPECT_EQ(Pieces()->text(), "1");
    EXPECT_EQ(Result()->text(), "");
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(Get<QGroupBox>("Frame4")->title(), "Addtional Parameters");
}

TEST_F(WindowTest, ProviderLabelsReplaceEveryPlaceholder) {
    for (const QLabel* label : form_->findChildren<QLabel*>()) {
        if (!label->isVisible()) continue;
        for (const char* placeholder :
             {"Label2", "Company", "Info", "CompURL", "AuthorInfo", "AuthorInfo2"}) {
            EXPECT_NE(label->text(), placeholder) << label->objectName().toStdString();
        }
    }
    EXPECT_EQ(Get<QLabel>("lblCompany")->text(), "Orvanta, LLC");
    EXPECT_EQ(Get<QLabel>("lblAuthorInfo2")->text(), "Telmarin, Inc.");
    const QStringList info = Get<QLabel>("lblInfo")->text().split('\n');
    ASSERT_EQ(info.size(), 3);
    EXPECT_TRUE(
        info[0].contains(QRegularExpression(R"(^P\.O\. Box \d+\. [A-Za-z ]+, [A-Z]{2} \d{5}$)")))
        << info[0].toStdString();
    EXPECT_TRUE(info[1].contains(QRegularExpression(R"(^Phone: \d{3}\.\d{3}\.\d{4}$)")));
    EXPECT_TRUE(info[2].contains(QRegularExpression(R"(^Fax: \d{3}\.\d{3}\.\d{4}$)")));
}

TEST_F(WindowTest, SelfSizingLabelsShowTheirWholeText) {
    for (const char* name :
         {"lblCompany", "lblInfo", "lblCompURL", "lblAuthorInfo", "lblAuthorInfo2"}) {
        const QLabel* label = Get<QLabel>(name);
        const QSize needed = label->fontMetrics().size(0, label->text());
        EXPECT_GE(label->width(), needed.width()) << name;
        EXPECT_GE(label->height(), needed.height()) << name;
        EXPECT_LE(label->geometry().right(), form_->width()) << name;
    }
}

TEST_F(WindowTest, EveryFixedCaptionFitsItsDesignedBox) {
    for (const char* shape : {"Round Tube", "Plate", "Round Bar"}) {
        Shape(shape);
        for (const QLabel* label : form_->findChildren<QLabel*>()) {
            if (label->isHidden() || label->property("autoSize").toBool()) continue;
            const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(0, 0, label->width(), 1000), flags, label->text());
            EXPECT_LE(needed.width(), label->width()) << label->objectName().toStdString();
            EXPECT_LE(needed.height(), label->height()) << label->objectName().toStdString();
        }
    }
    for (const QPushButton* button : form_->findChildren<QPushButton*>()) {
        const int needed = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
        EXPECT_LT(needed, button->width()) << button->objectName().toStdString();
    }
}

TEST_F(WindowTest, KeepsItsDesignedLook) {
    EXPECT_EQ(form_->size(), QSize(460, 474));  // 6900 x 7110 twips
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    EXPECT_FALSE(form_->windowIcon().isNull());
    EXPECT_EQ(Get<QWidget>("txtParam(2)")->geometry(), QRect(72, 96, 73, 19));
    EXPECT_EQ(Get<QWidget>("txtParam(2)")->parentWidget()->objectName(), "Frame2");
    EXPECT_TRUE(Get<QLabel>("lblCompany")->font().bold());
    EXPECT_DOUBLE_EQ(form_->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(List()->font().pointSizeF(), 6);
    for (const char* link : {"lblCompURL", "lblAuthorInfo2"}) {
        const QLabel* label = Get<QLabel>(link);
        EXPECT_TRUE(label->font().underline()) << link;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 192)) << link;
    }
    const QCursor hand = Get<QLabel>("lblAuthorInfo")->cursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
}

struct Layout {
    const char* shape;
    QStringList captions;
};

TEST_F(WindowTest, EachShapeShowsItsSlots) {
    const QStringList bar = {"Diameter:", "Length:"};
    const QStringList flat = {"Thickness:", "Width:", "Length:"};
    const Layout layouts[] = {
        {"Coil", flat},       {"Flat Bar", flat},
        {"Hexagon Bar", bar}, {"Plate", flat},
        {"Round Bar", bar},   {"Round Tube", {"Outer Diameter:", "Wall:", "Length:"}},
        {"Sheet", flat},      {"Square Bar", bar},
        {"Strip", flat}};
    for (const Layout& layout : layouts) {
        Shape(layout.shape);
        const int shown = static_cast<int>(layout.captions.size());
        for (int i = 0; i < Form1::kSlots; ++i) {
            EXPECT_EQ(Caption(i)->isVisible(), i < shown) << layout.shape << " slot " << i;
            EXPECT_EQ(Field(i)->isVisible(), i < shown) << layout.shape << " slot " << i;
            EXPECT_EQ(Units(i)->isVisible(), i < shown) << layout.shape << " slot " << i;
            if (i < shown) {
                EXPECT_EQ(Caption(i)->text(), layout.captions[i]) << layout.shape;
                EXPECT_EQ(Field(i)->accessibleName() + ":", layout.captions[i]) << layout.shape;
            }
        }
    }
}

TEST_F(WindowTest, SlotTextsAndUnitsBelongToTheSlotNotTheShape) {
    Shape("Plate");
    Calculate({"0.5", "12", "10"}, {"in", "cm", "ft"});
    const QString weight = Result()->text();
    Shape("Round Bar");
    EXPECT_FALSE(Field(2)->isVisible());
    EXPECT_EQ(Result()->text(), weight);
    Shape("Round Tube");
    EXPECT_EQ(Caption(0)->text(), "Outer Diameter:");
    EXPECT_EQ(Field(0)->text(), "0.5");
    EXPECT_EQ(Field(2)->text(), "10");
    EXPECT_EQ(Units(1)->currentText(), "cm");
    EXPECT_EQ(Units(2)->currentText(), "ft");
}

TEST_F(WindowTest, HiddenSlotsAreNeitherTestedNorRead) {
    Shape("Plate");
    Type(Field(2), "abc");
    Shape("Round Bar");
    Calculate({"1", "1"}, {"in", "ft"});
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Result()->text(), "2.67");
}

struct Calculation {
    const char* name;
    const char* alloy;
    const char* shape;
    QStringList values;
    QStringList units;
    const char* pieces;
    const char* weight;
};

TEST_F(WindowTest, CalculatesFromTheFieldsAsTyped) {
    const Calculation rows[] = {
        {"plate",
         "Steel (Default)",
         "Plate",
         {"0.5", "12", "10"},
         {"in", "in", "ft"},
         "1",
         "204.19"},
        {"metric bar",
         "Steel (Default)",
         "Round Bar",
         {"25.4", "304.8"},
         {"mm", "mm"},
         "1",
         "2.67"},
        {"tungsten hex", "Tungsten", "Hexagon Bar", {"2", "6"}, {"in", "ft"}, "4", "679.91"},
        {"tube",
         "Steel (Default)",
         "Round Tube",
         {"2", "0.25", "1"},
         {"in", "in", "ft"},
         "1",
         "4.67"},
        {"fractional pieces",
         "Steel (Default)",
         "Square Bar",
         {"1", "1"},
         {"in", "ft"},
         "2.5",
         "8.51"},
    };
    for (const Calculation& row : rows) {
        Alloy(row.alloy);
        Shape(row.shape);
        Type(Pieces(), row.pieces);
        Calculate(row.values, row.units);
        EXPECT_EQ(Result()->text(), row.weight) << row.name;
    }
    EXPECT_TRUE(messages_.empty());
}

struct Refusal {
    const char* name;
    const char* shape;
    QStringList values;
    const char* pieces;
    const char* before;
    const char* text;
    const char* title;
    const char* after;
};

TEST_F(WindowTest, RefusesBadInputWithOneMessage) {
    const Refusal rows[] = {
        {"pieces first",
         "Round Bar",
         {"", ""},
         "abc",
         "5",
         "You entered an illegal value for the number of pieces",
         "Invalid Input",
         "5"},
        {"both bar fields",
         "Round Bar",
         {"abc", ""},
         "1",
         "5",
         "You entered an illegal value for the Diameter and the Length",
         "Illegal Input",
         "5.00"},
        {"sheet",
         "Sheet",
         {"", "", ""},
         "1",
         "",
         "You entered an illegal value for the Thickness and the Width and the Length",
         "Illegal Input",
         ""},
        {"outer diameter",
         "Round Tube",
         {"x", "5", "1"},
         "1",
         "3.40",
         "You entered an illegal value for the Outer Diameter",
         "Illegal Input",
         "3.40"},
        {"wall",
         "Round Tube",
         {"2", "2", "1"},
         "1",
         "typed",
         "The Tube Wall Cannot exceed the Outer Diameter",
         "Invalid Input",
         "typed"},
        {"wall above radius",
         "Round Tube",
         {"2", "1.5", "1"},
         "1",
         "",
         "The Tube Wall Cannot exceed half the Outer Diameter",
         "Invalid Input",
         ""},
        {"overflow",
         "Plate",
         {"1e200", "1e200", "1"},
         "1",
         "7",
         "The calculated weight is too large to display",
         "Invalid Input",
         "7"},
    };
    for (const Refusal& row : rows) {
        messages_.clear();
        Shape(row.shape);
        Type(Pieces(), row.pieces);
        Type(Result(), row.before);
        Calculate(row.values);
        ASSERT_EQ(messages_.size(), 1u) << row.name;
        EXPECT_EQ(messages_[0].text, row.text) << row.name;
        EXPECT_EQ(messages_[0].title, row.title) << row.name;
        EXPECT_EQ(Result()->text(), row.after) << row.name;
        for (int i = 0; i < row.values.size(); ++i) {
            EXPECT_EQ(Field(i)->text(), row.values[i]) << row.name;  // kept for correction
        }
    }
}

TEST_F(WindowTest, ClearFieldsResetsTheInputsOnly) {
    Alloy("Brass");
    Shape("Plate");
    Calculate({"1", "2", "3"}, {"mm", "cm", "m"});
    Shape("Round Bar");  // slot 2 hidden, still holding "3"
    Type(Pieces(), "7");
    List()->addItem("kept");
    Press("cmdClearFields");
    Shape("Plate");
    for (int i = 0; i < Form1::kSlots; ++i) EXPECT_EQ(Field(i)->text(), "") << i;
    EXPECT_EQ(Pieces()->text(), "1");
    EXPECT_EQ(Result()->text(), "");
    EXPECT_EQ(Get<QComboBox>("cmbAlloy")->currentText(), "Brass");
    EXPECT_EQ(Units(0)->currentText(), "mm");
    EXPECT_EQ(Units(2)->currentText(), "m");
    EXPECT_EQ(List()->count(), 1);
}

TEST_F(WindowTest, TabGoesThroughTheShownInputsInDesignedOrder) {
    Shape("Round Bar");
    QWidget* alloys = Get<QComboBox>("cmbAlloy");
    alloys->setFocus();
    QStringList order;
    for (int i = 0; i < 16; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order,
              QStringList({"cmbAlloy", "cmbShapes", "txtParam(0)", "cmbUnits(0)", "txtParam(1)",
                           "cmbUnits(1)", "txtNumPieces", "txtResult", "cmdCalculate",
                           "cmdClearFields", "cmdStoreResult", "cmdDeleteResult", "cmdPrint",
                           "cmdExit", "lstResults", "cmbAlloy"}));
}

TEST_F(WindowTest, AltEPressesExitAndClosesTheWindow) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    QSignalSpy exit(Get<QPushButton>("cmdExit"), &QPushButton::clicked);
    QTest::keyClick(form_.get(), Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(exit.wait(2000));
    EXPECT_FALSE(form_->isVisible());
}

TEST_F(WindowTest, ResultFieldIsReformattedEvenWhenTypedByTheUser) {
    Type(Result(), " 5 ");
    Calculate({"", ""});
    EXPECT_EQ(Result()->text(), "5.00");
}

// Everything a press must not touch: texts, selections and stored lines.
QStringList Snapshot(const Form1& form, const QString& except) {
    QStringList state;
    for (const QLineEdit* field : form.findChildren<QLineEdit*>()) {
        if (field->objectName() != except && field->objectName() != "txtResult") {
            state << field->objectName() + "=" + field->text();
        }
    }
    for (const QComboBox* list : form.findChildren<QComboBox*>()) {
        state << list->objectName() + "@" + QString::number(list->currentIndex());
    }
    const auto* results = form.findChild<QListWidget*>("lstResults");
    for (int i = 0; i < results->count(); ++i) state << results->item(i)->text();
    return state;
}

TEST_F(WindowTest, PastedNonsenseGivesAMessageOrAResultAndNothingElse) {
    const struct {
        const char* name;
        QString text;
    } pastes[] = {
        {"100000 digits", QString(100000, '9')},
        {"100000 letters", QString(100000, 'x')},
        {"control characters", QString::fromUtf8("\x01\x07"
                                                 "3\x7f")},
        {"arabic-indic digits", QString::fromUtf8("\xD9\xA3\xD9\xA4")},
        {"beyond the double range", "1e400"},
        {"product overflow", "1e300"},
    };
    Shape("Plate");
    Calculate({"1e10", "1e10", "1"}, {"in", "in", "ft"});
    Press("cmdStoreResult");
    for (const char* name : {"txtParam(0)", "txtParam(1)", "txtParam(2)", "txtNumPieces"}) {
        for (const auto& paste : pastes) {
            messages_.clear();
            Calculate({"1e10", "1e10", "1"});
            Type(Pieces(), "1");
            QLineEdit* field = Get<QLineEdit>(name);
            QApplication::clipboard()->setText(paste.text);
            field->setFocus();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            ASSERT_FALSE(field->text().isEmpty()) << paste.name;
            const QStringList before = Snapshot(*form_, "");
            Press("cmdCalculate");
            Press("cmdStoreResult");
            EXPECT_EQ(Snapshot(*form_, "").mid(0, before.size()), before) << name << paste.name;
            const bool numeric = Result()->text().contains(QRegularExpression(R"(^-?\d+\.\d\d$)"));
            EXPECT_TRUE(messages_.size() >= 1 || numeric) << name << " " << paste.name;
        }
    }
}

class GermanWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

TEST_F(GermanWindowTest, ReadsAndWritesDecimalCommas) {
    Shape("Plate");
    Calculate({"0,5", "12", "10"}, {"in", "in", "ft"});
    EXPECT_EQ(Result()->text(), "204,19");
    Calculate({"0.5", "12", "10"});
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "You entered an illegal value for the Thickness");
    EXPECT_EQ(Result()->text(), "204,19");
}

}  // namespace
