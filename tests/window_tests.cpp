#include <QAbstractItemView>
#include <QClipboard>
#include <QColorSpace>
#include <QGroupBox>
#include <QRegularExpression>

#include "window/contrast.h"
#include "window_fixture.h"

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

TEST_F(WindowTest, StartsFilledWithRoundBarLaidOutAndNoPlaceholderLeft) {
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
    }
    EXPECT_EQ(Caption(0)->text(), "Diameter:");
    EXPECT_EQ(Caption(1)->text(), "Length:");
    EXPECT_FALSE(Field(2)->isVisible());
    // The fields were laid out once, for the round bar: no slot was ever
    // captioned for a coil while the list was being filled.
    for (int i = 2; i < Form1::kSlots; ++i) EXPECT_EQ(Caption(i)->text(), "Label2") << i;
    EXPECT_EQ(Pieces()->text(), "1");
    EXPECT_EQ(Result()->text(), "");
    EXPECT_EQ(Get<QGroupBox>("Frame4")->title(), "Addtional Parameters");
    for (const QLabel* label : form_->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            EXPECT_FALSE(
                QStringList({"Label2", "Company", "Info", "CompURL", "AuthorInfo", "AuthorInfo2"})
                    .contains(label->text()))
                << label->objectName().toStdString();
        }
    }
    EXPECT_EQ(Get<QLabel>("lblCompany")->text(), "Orvanta, LLC");
    EXPECT_EQ(Get<QLabel>("lblAuthorInfo2")->text(), "Telmarin, Inc.");
    EXPECT_TRUE(Get<QLabel>("lblInfo")->text().contains(QRegularExpression(
        R"(^P\.O\. Box \d+\. [A-Za-z ]+, [A-Z]{2} \d{5}\nPhone: \d{3}\.\d{3}\.\d{4}\nFax: \d{3}\.\d{3}\.\d{4}$)")));
}

TEST_F(WindowTest, KeepsItsDesignedLookWithEveryTextInsideItsBox) {
    EXPECT_EQ(form_->size(), QSize(460, 474));  // 6900 x 7110 twips
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    // The pictures compiled in as raw pixels are the drawn ones.
    const auto pixels = [](const QImage& image) {
        QImage plain = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        plain.setColorSpace({});  // compare pixels, not colour-space tags
        return plain;
    };
    const QString pictures = QT_TESTCASE_SOURCEDIR "/../src/window/resources/";
    EXPECT_EQ(pixels(form_->windowIcon().pixmap(32).toImage()),
              pixels(QImage(pictures + "icon.png")));
    EXPECT_EQ(pixels(Get("lblAuthorInfo")->cursor().pixmap().toImage()),
              pixels(QImage(pictures + "hand.png")));
    EXPECT_EQ(Field(2)->geometry(), QRect(72, 96, 73, 19));  // in Frame2, from twips
    EXPECT_EQ(Field(2)->parentWidget()->objectName(), "Frame2");
    EXPECT_DOUBLE_EQ(form_->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(List()->font().pointSizeF(), 6);
    EXPECT_TRUE(Get<QLabel>("lblCompany")->font().bold());
    for (const char* link : {"lblCompURL", "lblAuthorInfo2"}) {
        EXPECT_TRUE(Get<QLabel>(link)->font().underline()) << link;
        EXPECT_EQ(Get<QLabel>(link)->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    }
    const QCursor hand = Get<QLabel>("lblAuthorInfo")->cursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
    Shape("Round Tube");  // the longest captions
    for (const QLabel* label : form_->findChildren<QLabel*>()) {
        if (label->isHidden()) continue;
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 1000), label->wordWrap() ? Qt::TextWordWrap : 0,
            label->text());
        EXPECT_LE(needed.width(), label->width()) << label->objectName().toStdString();
        EXPECT_LE(needed.height(), label->height()) << label->objectName().toStdString();
        EXPECT_LE(label->geometry().right(), form_->width()) << label->objectName().toStdString();
    }
}

TEST_F(WindowTest, EachShapeShowsItsSlots) {
    const QStringList bar = {"Diameter:", "Length:"};
    const QStringList flat = {"Thickness:", "Width:", "Length:"};
    const std::pair<const char*, QStringList> layouts[] = {
        {"Coil", flat},       {"Flat Bar", flat},
        {"Hexagon Bar", bar}, {"Plate", flat},
        {"Round Bar", bar},   {"Round Tube", {"Outer Diameter:", "Wall:", "Length:"}},
        {"Sheet", flat},      {"Square Bar", bar},
        {"Strip", flat}};
    for (const auto& [shape, captions] : layouts) {
        Shape(shape);
        for (int i = 0; i < Form1::kSlots; ++i) {
            const bool shown = i < captions.size();
            EXPECT_EQ(Caption(i)->isVisible(), shown) << shape << i;
            EXPECT_EQ(Field(i)->isVisible(), shown) << shape << i;
            EXPECT_EQ(Units(i)->isVisible(), shown) << shape << i;
            if (shown) {
                EXPECT_EQ(Caption(i)->text(), captions[i]) << shape;
                EXPECT_EQ(Field(i)->accessibleName() + ":", captions[i]) << shape;
            }
        }
    }
}

TEST_F(WindowTest, SlotTextsAndUnitsBelongToTheSlotAndHiddenOnesAreIgnored) {
    Shape("Plate");
    Type(Field(0), "0.5");
    Choose(Units(1), "cm");
    Type(Field(2), "abc");
    Shape("Round Tube");
    EXPECT_EQ(Field(0)->text(), "0.5");
    EXPECT_EQ(Units(1)->currentText(), "cm");
    Shape("Round Bar");
    Calculate({"1", "1"}, {"in", "ft"});
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(Result()->text(), "2.67");
    Shape("Plate");
    EXPECT_EQ(Field(2)->text(), "abc");
    EXPECT_EQ(Result()->text(), "2.67");
}

TEST_F(WindowTest, CalculatesFromTheControlsAsSet) {
    Alloy("Tungsten");
    Shape("Hexagon Bar");
    Type(Pieces(), "4");
    Calculate({"2", "6"}, {"in", "ft"});
    EXPECT_EQ(Result()->text(), "679.91");
    Alloy("Steel (Default)");
    Shape("Round Tube");
    Type(Pieces(), " 1 ");
    Calculate({"50.8", "0.25", "12"}, {"mm", "in", "in"});
    EXPECT_EQ(Result()->text(), "4.67");
    EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(WindowTest, RefusesBadInputWithOneMessageAndKeepsTheFields) {
    const struct {
        const char* shape;
        QStringList values;
        const char* pieces;
        const char* before;
        QStringList message;
        const char* after;
    } rows[] = {
        {"Round Bar",
         {"", ""},
         "abc",
         "5",
         {"You entered an illegal value for the number of pieces", "Invalid Input"},
         "5"},
        {"Round Bar",
         {"abc", ""},
         "1",
         "5",
         {"You entered an illegal value for the Diameter and the Length", "Illegal Input"},
         "5.00"},
        {"Round Tube",
         {"2", "2", "1"},
         "1",
         "typed",
         {"The Tube Wall Cannot exceed the Outer Diameter", "Invalid Input"},
         "typed"},
        {"Plate",
         {"1e200", "1e200", "1"},
         "1",
         "7",
         {"The calculated weight is too large to display", "Invalid Input"},
         "7"},
    };
    for (const auto& row : rows) {
        desktop_.messages.clear();
        Shape(row.shape);
        Type(Pieces(), row.pieces);
        Type(Result(), row.before);
        Calculate(row.values);
        ASSERT_EQ(desktop_.messages.size(), 1u) << row.shape;
        EXPECT_EQ(desktop_.messages[0], row.message);
        EXPECT_EQ(Result()->text(), row.after);
        for (int i = 0; i < row.values.size(); ++i) EXPECT_EQ(Field(i)->text(), row.values[i]);
    }
}

TEST_F(WindowTest, ClearFieldsResetsTheInputsOnly) {
    Alloy("Brass");
    Shape("Plate");
    Calculate({"1", "2", "3"}, {"mm", "cm", "m"});
    Shape("Round Bar");  // slot 2 hidden, still holding "3"
    Type(Pieces(), "7");
    Press("cmdStoreResult");
    Press("cmdClearFields");
    Shape("Plate");
    for (int i = 0; i < Form1::kSlots; ++i) EXPECT_EQ(Field(i)->text(), "") << i;
    EXPECT_EQ(Pieces()->text(), "1");
    EXPECT_EQ(Result()->text(), "");
    EXPECT_EQ(Get<QComboBox>("cmbAlloy")->currentText(), "Brass");
    EXPECT_EQ(Units(2)->currentText(), "m");
    EXPECT_EQ(List()->count(), 1);
}

TEST_F(WindowTest, FocusShowsFromTheStartAndOnAnEmptyList) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    EXPECT_TRUE(form_->testAttribute(Qt::WA_KeyboardFocusChange));
    EXPECT_EQ(QApplication::focusWidget(), Get("cmbAlloy"));
    List()->setFocus();
    const QImage shot = List()->viewport()->grab().toImage();
    const QColor base = List()->palette().color(QPalette::Base);
    const QColor edge = shot.pixelColor(shot.width() / 2, 1);
    EXPECT_GE(ContrastRatio(edge, base), 3.0) << edge.name().toStdString();
}

TEST(ContrastTest, MeasuresAsTheGuidelinesDo) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::white, Qt::black), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(QColor(0, 0, 192), QColor(0, 0, 192)), 1.0);
    EXPECT_NEAR(ContrastRatio(QColor(0, 0, 192), QColor(240, 240, 240)), 10.46, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0, 0, 192), QColor(53, 53, 53)), 1.03, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(119, 119, 119), Qt::white), 4.48, 0.01);
}

TEST_F(WindowTest, PastesKeepOneLineOfVisibleText) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    const struct {
        const char* name;
        QString pasted;
        QString held;
    } rows[] = {
        {"spreadsheet cell", "2\n", "2"},
        {"Windows line end", "10\r\n", "10"},
        {"second line dropped", "3\nTotal Weight: 9", "3"},
        {"tab and NUL", QString("4\t5") + QChar(0) + "6", "456"},
        {"right-to-left override", QString::fromUtf16(u"\u202E5 pieces"), "5 pieces"},
        {"zero-width characters", QString::fromUtf16(u"1\u200B2\u200D3\uFEFF"), "123"},
        {"line separator", QString::fromUtf16(u"7\u20288"), "7"},
        {"ordinary number", "12.5", "12.5"},
    };
    for (const auto& row : rows) {
        Type(Pieces(), "");
        QApplication::clipboard()->setText(row.pasted);
        QTest::keyClick(Pieces(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Pieces()->text(), row.held) << row.name;
    }
    // Into the middle of a value: the text after the cursor stays.
    Type(Field(0), "15");
    Field(0)->setCursorPosition(1);
    QApplication::clipboard()->setText("0\n9");
    QTest::keyClick(Field(0), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Field(0)->text(), "105");
    // What is seen is what is computed.
    Type(Field(0), "");
    QApplication::clipboard()->setText("2\n");
    QTest::keyClick(Field(0), Qt::Key_V, Qt::ControlModifier);
    Type(Field(1), "10");
    Type(Pieces(), "1");
    Press("cmdCalculate");
    EXPECT_EQ(Result()->text(), "8.91");
    EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(WindowTest, OpenListsShowFullNames) {
    for (QComboBox* list : form_->findChildren<QComboBox*>()) {
        if (!list->isVisible()) continue;
        list->showPopup();
        for (int i = 0; i < list->count(); ++i) {
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)),
                      list->view()->viewport()->width())
                << list->itemText(i).toStdString();
        }
        list->hidePopup();
    }
    Alloy("Stainless 300 Series");
    EXPECT_EQ(Get("cmbAlloy")->toolTip(), "Stainless 300 Series");
}

TEST_F(WindowTest, TheWheelChangesOnlyAFocusedList) {
    const auto wheel = [](QComboBox* list) {
        const QPoint centre = list->rect().center();
        QWheelEvent event(centre, list->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &event);
    };
    Get("txtResult")->setFocus();
    for (QComboBox* list : form_->findChildren<QComboBox*>()) {
        if (!list->isVisible()) continue;
        const int before = list->currentIndex();
        wheel(list);
        EXPECT_EQ(list->currentIndex(), before) << list->objectName().toStdString();
        EXPECT_FALSE(list->hasFocus()) << list->objectName().toStdString();
    }
    Units(1)->setFocus();
    wheel(Units(1));
    EXPECT_EQ(Units(1)->currentText(), "ft");
}

TEST_F(WindowTest, ReturnAndEnterPressTheFocusedButton) {
    Type(Field(0), "2");
    Type(Field(1), "10");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        Result()->clear();
        Get("cmdCalculate")->setFocus();
        QTest::keyClick(Get("cmdCalculate"), key);
        EXPECT_EQ(Result()->text(), "8.91") << key;
    }
}

TEST_F(WindowTest, LinksOpenByKeyboardAndNameTheirAddress) {
    Get("lblCompURL")->setFocus();
    QTest::keyClick(Get("lblCompURL"), Qt::Key_Return);
    Get("lblAuthorInfo2")->setFocus();
    QTest::keyClick(Get("lblAuthorInfo2"), Qt::Key_Space);
    EXPECT_EQ(desktop_.visited,
              QStringList({"www.orvanta.example", "https://www.telmarin.example/"}));
    EXPECT_EQ(Get("lblCompURL")->toolTip(), "www.orvanta.example");
    EXPECT_EQ(Get("lblAuthorInfo2")->toolTip(), "https://www.telmarin.example/");
}

TEST_F(WindowTest, ListsAndResultSayWhatTheyAreFor) {
    EXPECT_EQ(Get("cmbAlloy")->accessibleDescription(), "Alloy");
    EXPECT_EQ(Get("cmbShapes")->accessibleDescription(), "Form");
    EXPECT_EQ(Get<QLabel>("Label3")->buddy(), Get("cmbAlloy"));
    EXPECT_EQ(Get<QLabel>("Label5")->buddy(), Result());
    EXPECT_EQ(Result()->accessibleDescription(), "pounds (lbs.)");
    Shape("Round Tube");
    EXPECT_EQ(Units(0)->accessibleDescription(), "Outer Diameter unit");
    EXPECT_EQ(Units(1)->accessibleDescription(), "Wall unit");
}

// A dark theme: the designed dark blue would vanish, so the links take the
// theme's link colour; on the usual light grey they keep the design's.
TEST_F(WindowTest, LinksStayReadableOnADarkTheme) {
    const QPalette light = form_->palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    form_->setPalette(dark);
    EXPECT_EQ(Get("lblCompURL")->palette().color(QPalette::WindowText), QColor(42, 130, 218));
    form_->setPalette(light);
    EXPECT_EQ(Get("lblCompURL")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
}

// Everything but the result field: texts, selections and stored lines.
QStringList Snapshot(const Form1& form) {
    QStringList state;
    for (const QLineEdit* field : form.findChildren<QLineEdit*>()) {
        if (field->objectName() != "txtResult") state << field->text();
    }
    for (const QComboBox* list : form.findChildren<QComboBox*>()) {
        state << QString::number(list->currentIndex());
    }
    return state;
}

TEST_F(WindowTest, PastedNonsenseGivesAMessageOrAResultAndNothingElse) {
    const QString pastes[] = {QString(100000, '9'),
                              QString(100000, 'x'),
                              QString::fromUtf8("\x01\x07"
                                                "3\x7f"),
                              QString::fromUtf8("\xD9\xA3\xD9\xA4"),
                              "1e400",
                              "1e300"};
    Shape("Plate");
    for (const char* name : {"txtParam(0)", "txtParam(1)", "txtParam(2)", "txtNumPieces"}) {
        for (const QString& paste : pastes) {
            desktop_.messages.clear();
            Calculate({"1e10", "1e10", "1"});
            Type(Pieces(), "1");
            Press("cmdStoreResult");
            const QStringList stored = Lines();
            QLineEdit* field = Get<QLineEdit>(name);
            QApplication::clipboard()->setText(paste);
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            const QStringList before = Snapshot(*form_);
            Press("cmdCalculate");
            EXPECT_EQ(Snapshot(*form_), before) << name;
            EXPECT_EQ(Lines(), stored) << name;
            const bool weight = Result()->text().contains(QRegularExpression(R"(^-?\d+\.\d\d$)"));
            EXPECT_TRUE(desktop_.messages.size() == 1 || weight) << name;
        }
    }
}

TEST_F(WindowTest, AGermanLocaleReadsAndWritesDecimalCommas) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Open(FakePlatform(&desktop_));
    Shape("Plate");
    Calculate({"0,5", "12", "10"}, {"in", "in", "ft"});
    EXPECT_EQ(Result()->text(), "204,19");
    Calculate({"0.5", "12", "10"});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0][0], "You entered an illegal value for the Thickness");
    EXPECT_EQ(Result()->text(), "204,19");
}

}  // namespace
