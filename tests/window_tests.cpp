// The window driven through its real widgets, offscreen, with doubles for the
// desktop that record what the window asked of it, and a watchdog that fails
// a test on any real modal dialog the doubles would not have shown.

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <QAccessible>
#include <QCheckBox>
#include <QColorSpace>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <map>
#include <optional>

#include "modal_answer.h"
#include "printing/print_progress.h"
#if !defined(_WIN32)
#include "printing/linux/job_options.h"
#endif
#include "window/contrast.h"
#include "window_fixture.h"

#if defined(_WIN32)
#define SKIP_ON_WINDOWS(why) GTEST_SKIP() << why
#else
#define SKIP_ON_WINDOWS(why) (void)0
#endif

namespace {

class WindowTest : public WindowFixture {
  protected:
    void SetUp() override { Open(); }
    // A new window with the real print dialog; its dialogs are expected, so
    // the watchdog stands down.
    void OpenWithTheRealPrintDialog() {
        watchdog_.stop();
        Open(QtPlatform().printDialog);
        watchdog_.stop();
    }
    QString Pdf() const { return dir_.filePath("report.pdf"); }
    QString Run(const QString& program, const QStringList& args) const {
        QProcess process;
        process.start(program, QStringList(args).replaceInStrings("PDF", Pdf()));
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    // Page texts, each ended by a form feed.
    QStringList PdfPages() const {
        return Run("pdftotext", {"-layout", "PDF", "-"}).split('\f', Qt::SkipEmptyParts);
    }
    // The print dialog, found as tests find Qt's: by its printer list.
    static bool IsPrintDialog(QDialog* dialog) {
        return dialog->findChild<QComboBox*>("printers") != nullptr;
    }
    static QDialog* PrintDialogShown() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        return dialog && IsPrintDialog(dialog) ? dialog : nullptr;
    }
    // Presses Print Results and answers the print dialog it opens.
    void PrintAnswering(std::function<void(QDialog*)> answer) {
        const ModalAnswer<QDialog> answering("the print dialog", std::move(answer), IsPrintDialog);
        Press("cmdPrint");
    }
    // Presses Print Results while `user` answers each dialog as it appears.
    void PrintWhile(const std::function<void()>& user) {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, user);
        timer.start(20);
        Press("cmdPrint");
    }
    // A report printed before, which a failed or cancelled print must leave
    // as it was, with no other file beside it.
    void WriteOlderReport() {
        QFile older(Pdf());
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older report");
    }
    void ExpectTheOlderReportAlone() {
        QFile older(Pdf());
        ASSERT_TRUE(older.open(QIODevice::ReadOnly));
        EXPECT_EQ(older.readAll(), "older report");
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"report.pdf"}));
    }
    void AddLines(int count, const QString& text) {
        // At once: every line added renumbers the places of all the others,
        // which adding them one by one makes quadratic.
        QStringList lines;
        for (int i = 0; i < count; ++i) lines << text.arg(i);
        List()->addItems(lines);
    }

    QTemporaryDir dir_;
};

QImage Pixels(const QImage& image) {
    QImage plain = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    plain.setColorSpace({});  // compare pixels, not colour-space tags
    return plain;
}

// The window as it opens, pixel for pixel, against the reviewed picture beside
// this file: every position, size, face, caption and colour. After a wanted
// change of the look, MWC_NEW_LOOK=1 writes the picture anew for review.
TEST_F(WindowTest, OpensLookingAsDesigned) {
    SKIP_ON_WINDOWS("wine's offscreen platform draws every glyph as a box");
    const QString dir = QT_TESTCASE_SOURCEDIR;
    const QImage shot = Pixels(form_->grab().toImage());
    if (qEnvironmentVariableIsSet("MWC_NEW_LOOK")) shot.save(dir + "/window.png");
    if (shot != Pixels(QImage(dir + "/window.png"))) {
        shot.save("window-seen.png");
        ADD_FAILURE() << "the window differs from window.png; see window-seen.png";
    }
    EXPECT_EQ(form_->windowTitle(), "Vevari Radidu Zezareruze");
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    // The pictures compiled in as raw pixels are the drawn ones.
    const QString pictures = dir + "/../src/window/resources/";
    EXPECT_EQ(Pixels(form_->windowIcon().pixmap(32).toImage()),
              Pixels(QImage(pictures + "icon.png")));
    const QCursor hand = Get("lblAuthorInfo")->cursor();
    EXPECT_EQ(Pixels(hand.pixmap().toImage()), Pixels(QImage(pictures + "hand.png")));
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
}

// The lists are filled once, for the round bar: no hidden slot was ever
// captioned for another form on the way. Each form shows its own slots, said
// by the names the window gives them after their captions.
TEST_F(WindowTest, FillsItsListsAndShowsTheSlotsOfTheChosenForm) {
    EXPECT_EQ(Get<QComboBox>("cmbAlloy")->itemText(25), "Zirconium");
    EXPECT_EQ(Get<QComboBox>("cmbShapes")->itemText(8), "Strip");
    EXPECT_EQ(Units(4)->itemText(5), "m");
    EXPECT_EQ(Units(4)->count(), 6);
    for (int i = 2; i < Form1::kSlots; ++i) EXPECT_EQ(Caption(i)->text(), "Label2") << i;
    // The round bar's length, in feet, stays in its slot: the tube's wall.
    Type(Field(0), "2");
    Type(Field(1), " 10 ");
    Choose(Units(1), "ft");
    Shape("Round Tube");
    QCoreApplication::processEvents();
    EXPECT_EQ(Said(), "Outer Diameter 2 inches, Wall 10 feet, Length empty");
    EXPECT_EQ(Caption(2)->text(), "Length:");
    EXPECT_TRUE(Caption(2)->isVisible() && Field(2)->isVisible() && Units(2)->isVisible());
    EXPECT_FALSE(Field(3)->isVisible() || Caption(3)->isVisible() || Units(3)->isVisible());
    EXPECT_EQ(Units(0)->accessibleName(), "Outer Diameter unit");
    Choose(Get<QComboBox>("cmbAlloy"), "Stainless 300 Series");
    EXPECT_EQ(Get("cmbAlloy")->toolTip(), "Stainless 300 Series");
    EXPECT_EQ(Get("cmbAlloy")->accessibleName(), "Alloy");  // read on other platforms
    EXPECT_EQ(List()->accessibleName(), "Stored results");
    EXPECT_EQ(Get<QLabel>("Label1")->buddy(), Get("cmbShapes"));
}

// A refusal leaves the fields alone; the result only where the rule says so.
TEST_F(WindowTest, RefusesBadInputWithOneMessageAndKeepsTheFields) {
    Type(Result(), "5");
    Type(Pieces(), "abc");
    Calculate({"", "x"});
    EXPECT_EQ(QApplication::focusWidget(), Pieces());  // the field named, its text selected
    EXPECT_EQ(Pieces()->selectedText(), "abc");
    Type(Pieces(), "1");
    Calculate({"2", "y"});
    EXPECT_EQ(QApplication::focusWidget(), Field(1));
    EXPECT_EQ(Field(1)->selectedText(), "y");
    Calculate({"abc", ""});
    EXPECT_EQ(
        desktop_.messages,
        std::vector<QStringList>(
            {{"You entered an illegal value for the number of pieces", "Invalid Input"},
             {"You entered an illegal value for the Length", "Illegal Input"},
             {"You entered an illegal value for the Diameter and the Length", "Illegal Input"}}));
    EXPECT_EQ(Result()->text(), "5.00");
    EXPECT_EQ(Field(1)->text(), "");
    EXPECT_EQ(Field(0)->text(), "abc");
}

TEST_F(WindowTest, ClearFieldsResetsTheInputsOnly) {
    Choose(Get<QComboBox>("cmbAlloy"), "Brass");
    Shape("Plate");
    Calculate({"1", "2", "3"}, {"mm", "cm", "m"});
    Press("cmdStoreResult");
    Shape("Round Bar");  // slot 2 hidden, still holding "3"
    Type(Pieces(), "7");
    Press("cmdClearFields");
    Shape("Plate");
    for (int i = 0; i < Form1::kSlots; ++i) EXPECT_EQ(Field(i)->text(), "") << i;
    EXPECT_EQ(Pieces()->text(), "1");
    EXPECT_EQ(Result()->text(), "");
    EXPECT_EQ(Get<QComboBox>("cmbAlloy")->currentText(), "Brass");
    EXPECT_EQ(Units(2)->currentText(), "m");
    EXPECT_EQ(List()->count(), 1);
}

TEST_F(WindowTest, AGermanLocaleReadsAndWritesDecimalCommas) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Open();
    Shape("Plate");
    Calculate({"0,5", "12", "10"}, {"in", "in", "ft"});
    EXPECT_EQ(Result()->text(), "204,19");
    Calculate({"0.5", "12", "10"});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0][0], "You entered an illegal value for the Thickness");
}

TEST_F(WindowTest, PastesKeepOneLineOfVisibleText) {
    // Which characters show nothing is the core's; here, that the field
    // cuts at a line's end, drops what shows nothing (a pair of UTF-16 units
    // outside the BMP as one) and makes every space a blank.
    const std::pair<QString, QString> pastes[] = {
        {"3\r\nTotal Weight: 9", "3"},                        // a second line
        {"0.5\t12\t10\n", "0.5"},                             // a row of spreadsheet cells
        {QString("4") + QChar(0) + "6", "46"},                // control characters
        {QString::fromUtf16(u"\u202E1\u200B2\uFEFF"), "12"},  // format characters
        {QString::fromUtf16(u"7\u20288"), "7"},
        {QString::fromUtf16(u"9\u00858"), "9"},                  // a line separator
        {QString::fromUtf16(u"\u00A03\u202F0\u2007"), " 3 0 "},  // space separators
        {QString::fromUtf16(u"\U000E00315\U000E0031"), "5"},     // tag characters
        {QString::fromUtf16(u"\u31641\U000E01002"), "12"},       // ignorable, not format
        {"\n5\n", "88"}};  // nothing left: the selected text stays
    for (const auto& [pasted, held] : pastes) {
        Type(Pieces(), "88");
        Pieces()->selectAll();
        Paste(Pieces(), pasted);
        EXPECT_EQ(Pieces()->text(), held);
        EXPECT_EQ(Pieces()->hasSelectedText(), held == "88");
    }
    // Into the middle of a value: the text after the cursor stays, and the
    // paste is one undo step after the typing before it.
    Type(Field(0), "15");
    Field(0)->setCursorPosition(1);
    Paste(Field(0), "0\r\n9");
    EXPECT_EQ(Field(0)->text(), "105");
    QTest::keyClick(Field(0), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Field(0)->text(), "15");
    QTest::keyClick(Field(0), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Field(0)->text(), "");
    // Typed, an invisible character is dropped before the field takes it, so
    // Undo still works; a typed no-break space is a blank.
    Type(Pieces(), "134");
    for (const char16_t* typed : {u"\u200C", u"\u00A0",  // Shift+Space in Persian; AltGr+Space
                                  u"\U000E0100"})
        QTest::sendKeyEvent(QTest::Click, Pieces(), Qt::Key_Space, QString::fromUtf16(typed), {});
    EXPECT_EQ(Pieces()->text(), "134 ");
    QTest::keyClick(Pieces(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Pieces()->text(), "88");  // as before the typing
    // The context menu's Paste cleans the text the same way.
    QApplication::clipboard()->setText(QString::fromUtf16(u"7\u00A0"));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(Field(0), &menu);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    for (QAction* action : QApplication::activePopupWidget()->actions()) {
        if (action->text().startsWith("&Paste")) action->trigger();
    }
    QApplication::activePopupWidget()->close();
    EXPECT_EQ(Field(0)->text(), "7 ");
    // A drop from another program is a copy: the program keeps its text.
    QMimeData dragged;
    dragged.setText(QString::fromUtf16(u"12\u3164\n34"));
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), actions, &dragged, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(Field(1), &enter);
    QDropEvent drop(QPointF(5, 5), actions, &dragged, Qt::LeftButton,
                    Qt::ShiftModifier);  // Shift proposes a move
    QApplication::sendEvent(Field(1), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(Field(1)->text(), "12");
    dragged.setText("\t9");  // nothing left to drop: refused
    QDragEnterEvent empty(QPoint(5, 5), actions, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Field(1), &empty);
    EXPECT_FALSE(empty.isAccepted());
}

TEST_F(WindowTest, KeyboardFocusShowsAndTheWheelTurnsOnlyAFocusedList) {
    EXPECT_TRUE(form_->testAttribute(Qt::WA_KeyboardFocusChange));
    EXPECT_EQ(QApplication::focusWidget(), Get("cmbAlloy"));
    List()->setFocus();  // an empty list still shows that it has the focus
    const QImage shot = List()->viewport()->grab().toImage();
    const QColor edge = shot.pixelColor(shot.width() / 2, 1);
    EXPECT_GE(ContrastRatio(edge, List()->palette().color(QPalette::Base)), 3.0);

    const auto wheel = [](QComboBox* list) {
        const QPoint centre = list->rect().center();
        QWheelEvent event(centre, list->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &event);
    };
    Get("txtResult")->setFocus();
    wheel(Units(1));
    EXPECT_EQ(Units(1)->currentText(), "in");
    EXPECT_FALSE(Units(1)->hasFocus());
    Units(1)->setFocus();
    wheel(Units(1));
    EXPECT_EQ(Units(1)->currentText(), "ft");
}

// On a dark theme the designed dark blue would vanish, so the links take the
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
    EXPECT_NEAR(ContrastRatio(QColor(240, 240, 240), QColor(0, 0, 192)), 10.4632, 1e-4);
}

// ---- stored results --------------------------------------------------------

// A weight is stored only with the inputs it was calculated from, or as the
// user typed it, even where it reads as the calculated one did (the rule is
// the core's; here, that the window tells it of each change). Only the shown
// slots are stored.
TEST_F(WindowTest, StoresTheShownSlotsWithACurrentOrTypedWeight) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"form", [this] { Shape("Plate"); }},
        {"unit", [this] { Choose(Units(1), "mm"); }},
        {"dimension", [this] { Type(Field(0), "4"); }},
        {"refused calculation", [this] {
             Calculate({"3", "x"});
         }}};
    for (const auto& [change, make] : changes) {
        SCOPED_TRACE(change);
        Shape("Round Tube");
        Calculate({"3", "0.25", "10"}, {"in", "in", "ft"});
        make();
        EXPECT_EQ(Result()->text(), "73.43");  // nothing visible changes
        Press("cmdStoreResult");
        Store({"73.43"});
    }
    const QStringList stale = {
        "The weight shown is from an earlier calculation. Press Calculate first.", "Store Failed"};
    const QStringList wall = {"You entered an illegal value for the Wall", "Illegal Input"};
    EXPECT_EQ(desktop_.messages, std::vector<QStringList>({stale, stale, stale, wall, stale}));
    ASSERT_EQ(List()->count(), 4);
    EXPECT_EQ(Line(0),
              "Steel (Default)  Plate   Thickness: 3 in Width: 0.25 in Length: 10 ft  "
              "Pieces: 1  Total Weight: 73.43 lbs.");
    Shape("Round Bar");  // the tube's length hidden, never in the line
    Calculate({"2", "10"}, {"in", "ft"});
    Press("cmdStoreResult");
    EXPECT_EQ(Line(4),
              "Steel (Default)  Round Bar   Diameter: 2 in Length: 10 ft  "
              "Pieces: 1  Total Weight: 106.92 lbs.");
    QApplication::processEvents();  // the list lays its lines out later
    const QImage shown = List()->viewport()->grab().toImage();
    const QRect row = List()->visualItemRect(List()->item(0));
    QImage blank(row.size(), shown.format());
    blank.fill(List()->palette().color(QPalette::Base));
    EXPECT_NE(shown.copy(row), blank);  // the stored line is drawn
}

TEST_F(WindowTest, RemovesTheSelectedLineByButtonOrDeleteKeyAndRefusesWithoutOne) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"button", [this] { Press("cmdDeleteResult"); }},
        {"Delete key", [this] { QTest::keyClick(List(), Qt::Key_Delete); }},
    };
    for (const auto& [way, remove] : ways) {
        List()->clear();
        Store({"1", "2", "3"});
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(List()->item(1)).center());
        remove();
        EXPECT_EQ(List()->count(), 2) << way;
        EXPECT_TRUE(Line(1).endsWith("Total Weight: 3 lbs.")) << way;
        EXPECT_TRUE(List()->selectedItems().isEmpty()) << way;
        EXPECT_EQ(Said(), "Result removed, 2 results left") << way;
        remove();
        EXPECT_EQ(List()->count(), 2) << way;
    }
    const QStringList remove = {"Please select a calculation to delete", "Remove Failed"};
    EXPECT_EQ(desktop_.messages, std::vector<QStringList>({remove, remove}));
}

// The first arrow key selects the outlined line; Ctrl+C copies only a
// selection. A moved-to line gives its place to a screen reader, and gives it
// up at the next key (where-am-I, which names the place itself, included), so
// the place is said once; the line left gets its place back for the next move.
TEST_F(WindowTest, TheResultsListByKeyboard) {
    Store({"1", "2", "3"});
    List()->setFocus();  // the first line is outlined, not selected
    QApplication::clipboard()->setText("before");
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
    QTest::keyClick(List(), Qt::Key_Down);  // selects the outlined line first
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), Line(0));
    QTest::keyClick(List(), Qt::Key_Down);
    ASSERT_EQ(List()->currentRow(), 1);
    QAccessibleInterface* line =
        QAccessible::queryAccessibleInterface(List())->tableInterface()->cellAt(1, 0);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(QAccessible::Description), "2 of 3");
    QTest::keyClick(List(), Qt::Key_Enter, Qt::KeypadModifier);  // a reader's where-am-I key
    EXPECT_EQ(line->text(QAccessible::Description), QString());
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(line->text(QAccessible::Description), "2 of 3");
    Type(Pieces(), "42");  // in a field, Ctrl+C copies the field's text
    Pieces()->selectAll();
    QTest::keyClick(Pieces(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "42");
}

// By click, Return or Space; both links share one browser window, and a
// broken one is replaced. A link no browser opens (the open call failing, or
// no browser at all) is told with its address, to be typed elsewhere, and the
// focus stays on the link.
TEST_F(WindowTest, LinksOpenTheirAddressesInOneBrowserWindowOrTellThem) {
    QWidget* company = Get("lblCompURL");
    QWidget* author = Get("lblAuthorInfo2");
    QTest::mouseClick(company, Qt::LeftButton);
    author->setFocus();
    QTest::keyClick(author, Qt::Key_Space);
    company->setFocus();
    QTest::keyClick(company, Qt::Key_Return);
    EXPECT_EQ(desktop_.visited, QStringList({"www.orvanta.example", "https://www.telmarin.example/",
                                             "www.orvanta.example"}));
    EXPECT_EQ(author->toolTip(), "https://www.telmarin.example/");
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(company);
    EXPECT_EQ(link->text(QAccessible::Name), "www.orvanta.example");
    EXPECT_EQ(link->text(QAccessible::Description), "");  // the address, read as the name
    EXPECT_EQ(desktop_.browsersMade, 1);
    desktop_.browserBroken = true;
    QTest::keyClick(company, Qt::Key_Return);
    EXPECT_TRUE(company->hasFocus());
    desktop_.browserBroken = false;
    desktop_.noBrowser = true;
    QTest::mouseClick(author, Qt::LeftButton);
    EXPECT_TRUE(author->hasFocus());
    desktop_.noBrowser = false;
    QTest::mouseClick(company, Qt::LeftButton);
    EXPECT_EQ(desktop_.browsersMade, 2);
    EXPECT_EQ(desktop_.visited.size(), 4);
    const auto failed = [](const QString& address) {
        return QStringList{
            "No web browser could be started to open this link. Its address is:\n\n" + address,
            "Link Failed"};
    };
    EXPECT_EQ(desktop_.messages,
              std::vector<QStringList>(
                  {failed("www.orvanta.example"), failed("https://www.telmarin.example/")}));
}

// ---- the report through the real printer, read back from the PDF ----------

// Through the real print dialog, cancelled, then confirmed as a user would:
// the file name typed into its field, then Print. The PDF is read back. The
// dialog opens on the choices of the last print made from its window (the
// printer, the file, copies, collation, order, paper); a new window starts
// afresh.
TEST_F(WindowTest, TheRealDialogPrintsEveryLineWithinTheMarginsAndKeepsItsChoices) {
    SKIP_ON_WINDOWS("Windows has its native print dialog, not the program's, and no pdftotext");
    OpenWithTheRealPrintDialog();
    // Pieces as typed: a word longer than a printed line, then words that wrap.
    Type(Pieces(), QString(250, '7') + QString(" wide").repeated(60));
    Store({"1.00", "2.00"});
    QStringList seen;  // the choices the dialog opened on
    const auto answer = [&](const char* how, std::function<void(QDialog*)> choose = {}) {
        PrintAnswering([&, how, choose](QDialog* dialog) {
            seen = QStringList{
                dialog->findChild<QComboBox*>("printers")->currentText(),
                dialog->findChild<QLineEdit*>("filename")->text(),
                dialog->findChild<QSpinBox*>("copies")->text(),
                dialog->findChild<QCheckBox*>("collate")->isChecked() ? "collate" : "apart",
                dialog->findChild<QCheckBox*>("reverse")->isChecked() ? "reverse" : "forward",
                dialog->findChild<QComboBox*>("paperSize")->currentText()};
            EXPECT_EQ(dialog->findChild<QSpinBox*>("from")->minimum(), 1);
            dialog->findChild<QLineEdit*>("filename")->setText(Pdf());
            if (choose) choose(dialog);
            QMetaObject::invokeMethod(dialog, how);
        });
    };
    // Names a screen reader reads where the layout gives none or a misleading one.
    answer("reject", [](QDialog* dialog) {
        const auto nameOf = [](QWidget* within, const char* object) {
            QWidget* control = within->findChild<QWidget*>(object);
            return control ? QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name)
                           : QString("no ") + object;
        };
        for (const auto& [object, name] : {std::pair{"printers", "Printer"},
                                           {"from", "Pages from"},
                                           {"to", "to"},
                                           {"copies", "Copies"},
                                           {"filename", "Output file"},
                                           {"fileBrowser", "Choose output file"}}) {
            EXPECT_EQ(nameOf(dialog, object), name);
        }
        // Return on the file button opens the chooser, not the print; the
        // file chosen is put in the field, which takes the focus so that a
        // reader says it.
        QString chooser;
        {
            const ModalAnswer<QFileDialog> answering("the file chooser", [&](QFileDialog* shown) {
                chooser = "QFileDialog";
                shown->findChild<QLineEdit*>("fileNameEdit")->setText("chosen.pdf");
                QMetaObject::invokeMethod(shown, "accept");
            });
            auto* browse = dialog->findChild<QWidget*>("fileBrowser");
            browse->setFocus();
            QTest::keyClick(browse, Qt::Key_Return);
        }
        EXPECT_EQ(chooser, "QFileDialog");
        EXPECT_TRUE(dialog->isVisible());
        auto* file = dialog->findChild<QLineEdit*>("filename");
        EXPECT_TRUE(file->text().endsWith("chosen.pdf")) << file->text().toStdString();
        dialog->activateWindow();  // as the desktop does when the chooser closes
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->focusWidget() == file; }, 5000))
            << "awaited the focus in the file field, saw it on "
            << (dialog->focusWidget() ? dialog->focusWidget()->objectName().toStdString() : "none");
    });
    EXPECT_FALSE(QFile::exists(Pdf()));
    EXPECT_EQ(Said(), "Printing cancelled");
    const QStringList fresh = seen;
    EXPECT_EQ(fresh.value(0), "Print to File (PDF)");
    EXPECT_EQ(fresh.value(2), "1");
    EXPECT_EQ(fresh.value(5), "Letter / ANSI A");  // the paper of the user's country
    answer("accept", [](QDialog* dialog) {
        auto* paper = dialog->findChild<QComboBox*>("paperSize");
        paper->setCurrentIndex(paper->findData("iso_a4_210x297mm"));
    });
    EXPECT_EQ(Said(), "Report printed, 1 page, to report.pdf");
    const QString info = Run("pdfinfo", {"PDF"});
    EXPECT_EQ(info.count("Vevari Radidu Zezareruze Report"), 1);
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // not left busy

    // The report's lines are the core's; here, that each is printed whole, in
    // order, the long one wrapped rather than cut.
    const auto squeezed = [](QString text) { return text.remove(QRegularExpression(R"(\s)")); };
    const QString text = squeezed(Run("pdftotext", {"PDF", "-"}));
    qsizetype from = 0;
    for (const QString& line : {QString("Calculations:"), Line(0), Line(1), QString("Fax:")}) {
        const qsizetype at = text.indexOf(squeezed(line), from);
        EXPECT_GE(at, from) << line.toStdString();
        from = std::max(from, at);
    }
    const QString faces = Run("pdffonts", {"PDF"});
    for (const char* face : {"LiberationSans-Bold ", "LiberationSans ", "LiberationSans-Italic "}) {
        EXPECT_TRUE(faces.contains(face)) << face;
    }

    // Every word inside 15 mm margins; heading 14 points, lines 10, footer 8.
    const QString boxes = Run("pdftotext", {"-bbox", "PDF", "-"});
    const auto page =
        QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(boxes);
    ASSERT_TRUE(page.hasMatch());
    const double margin = 15 / 25.4 * 72 - 0.5;  // in points, less rounding
    std::map<QString, double> heights, tops;
    double left = page.captured(1).toDouble();  // the leftmost word's left edge
    const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*))re");
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto box = it.next();
        EXPECT_GE(box.captured(1).toDouble(), margin);
        EXPECT_GE(box.captured(2).toDouble(), margin);
        EXPECT_LE(box.captured(3).toDouble(), page.captured(1).toDouble() - margin);
        EXPECT_LE(box.captured(4).toDouble(), page.captured(2).toDouble() - margin);
        heights[box.captured(5)] = box.captured(4).toDouble() - box.captured(2).toDouble();
        tops.emplace(box.captured(5), box.captured(2).toDouble());
        left = std::min(left, box.captured(1).toDouble());
    }
    EXPECT_NEAR(left, margin + 0.5, 1);                     // the left margin is 15 mm, no more
    EXPECT_NEAR(tops["Orvanta,"], margin + 0.5 + 16.1, 1);  // below one empty 14-point line
    EXPECT_GT(heights["Calculations:"], heights["Pieces:"] + 2);
    EXPECT_GT(heights["Pieces:"], heights["Fax:"] + 1);

    // A longer report through the dialog's own fields: page range, Reverse,
    // copies and collation; then a range past the report's end, which is told
    // and leaves the file printed before as it was.
    AddLines(60, "Line %1");
    const auto pages = [](int from, int to, bool reverse, int copies, bool collate) {
        return [=](QDialog* dialog) {
            dialog->findChild<QRadioButton*>("printRange")->setChecked(true);
            dialog->findChild<QSpinBox*>("from")->setValue(from);
            dialog->findChild<QSpinBox*>("to")->setValue(to);
            dialog->findChild<QCheckBox*>("reverse")->setChecked(reverse);
            dialog->findChild<QSpinBox*>("copies")->setValue(copies);
            dialog->findChild<QCheckBox*>("collate")->setChecked(collate);
        };
    };
    answer("accept", pages(1, 3, false, 1, true));
    const QStringList whole = PdfPages();
    ASSERT_EQ(whole.size(), 3);
    EXPECT_TRUE(whole[2].contains("Line 59") && whole[2].contains("Fax: 555.555.0101"));
    answer("accept", pages(2, 3, true, 2, true));
    EXPECT_EQ(PdfPages(), QStringList({whole[2], whole[1], whole[2], whole[1]}));
    EXPECT_EQ(Said(), "Report printed, 4 pages, to report.pdf");
    answer("accept", pages(1, 2, false, 2, false));
    EXPECT_EQ(seen, QStringList({"Print to File (PDF)", Pdf(), "2", "collate", "reverse", "A4"}));
    EXPECT_EQ(PdfPages(), QStringList({whole[0], whole[0], whole[1], whole[1]}));
    answer("accept", pages(5, 9, true, 1, true));
    EXPECT_EQ(seen.mid(3, 2), QStringList({"apart", "forward"}));
    EXPECT_EQ(PdfPages().size(), 4);
    EXPECT_EQ(desktop_.messages,
              std::vector<QStringList>({{"The report could not be printed: the report has 3 pages, "
                                         "and the chosen pages hold none of them.",
                                         "Print Failed"}}));
    OpenWithTheRealPrintDialog();
    answer("reject");
    EXPECT_EQ(seen, fresh);
}

#if defined(_WIN32)
// With no printer installed Windows' own print dialog does not even open: the
// user is told so and offered a PDF file instead, which is written.
TEST_F(WindowTest, WithNoPrinterInstalledAPdfFileIsOffered) {
    if (const QStringList printers = QPrinterInfo::availablePrinterNames(); !printers.isEmpty()) {
        GTEST_SKIP() << "wine lists printers: " << printers.join(", ").toStdString();
    }
    OpenWithTheRealPrintDialog();  // the box and the file chooser are expected here
    Store({"204.19"});
    QStringList told;
    PrintWhile([&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            told << box->windowTitle() + ": " + box->text();
            if (QAbstractButton* save = box->button(QMessageBox::Save)) {
                save->click();
            } else {
                box->reject();
            }
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            files->findChild<QLineEdit*>("fileNameEdit")->setText(Pdf());
            QMetaObject::invokeMethod(files, "accept");
        }
    });
    EXPECT_EQ(told, QStringList("Print Failed: The report could not be printed: no printer is "
                                "installed.\n\nSave the report as a PDF file instead?"));
    QFile pdf(Pdf());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "no PDF file at " << Pdf().toStdString();
    EXPECT_EQ(pdf.read(5), "%PDF-");
    EXPECT_EQ(Said(), "Report printed, 1 page, to report.pdf");
}
#endif

// 999 copies of a long report, asked for in the real dialog's copies field: the
// window keeps turning, a click on Print Results meanwhile is dropped rather
// than starting a second print, the progress counts pages (changing at most
// twice a second, for screen readers), and Cancel leaves
// the older file as it was, with nothing said.
TEST_F(WindowTest, ALongPrintShowsPagesDoneAndCancelLeavesTheOlderFile) {
    SKIP_ON_WINDOWS("Windows has its native print dialog, not the program's");
    OpenWithTheRealPrintDialog();
    AddLines(1000, "Line %1 of a long report");
    WriteOlderReport();
    int dialogs = 0, turns = 0, changes = 0;
    QString progress;
    QElapsedTimer watched;  // since the progress showed
    PrintWhile([&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* shown = qobject_cast<QProgressDialog*>(modal)) {
            if (!watched.isValid()) watched.start();
            if (shown->labelText() != progress) ++changes;
            progress = shown->labelText();
            // Cancelled once it has counted pages for a while.
            if (shown->value() > 0 && watched.elapsed() > 1200) {
                shown->findChild<QPushButton*>()->click();
            }
        } else if (QDialog* dialog = PrintDialogShown()) {
            if (++dialogs > 1) return dialog->reject();
            dialog->findChild<QLineEdit*>("filename")->setText(Pdf());
            dialog->findChild<QSpinBox*>("copies")->setValue(999);
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (modal) {  // answered, so that the print returns and the test fails
            ADD_FAILURE() << "unexpected dialog: " << modal->windowTitle().toStdString();
            modal->close();
        } else if (dialogs > 0 && ++turns == 2) {
            Press("cmdPrint");
        }
    });
    EXPECT_EQ(dialogs, 1);
    // The window turned through the second before the progress showed (50
    // turns on an idle machine, fewer on a loaded one; a frozen one, none).
    EXPECT_GT(turns, 10);
    const auto counted = QRegularExpression("^(\\d+) of (\\d+) pages$").match(progress);
    ASSERT_TRUE(counted.hasMatch()) << progress.toStdString();
    EXPECT_LT(counted.captured(1).toInt(), counted.captured(2).toInt());  // cancelled part way
    EXPECT_EQ(counted.captured(2).toInt() % 999, 0);                      // every copy counted
    // Each change is sent to screen readers: at most two a second, or a
    // reader drowns in them and drops the outcome.
    EXPECT_LE(changes, watched.elapsed() / 500 + 2) << "in " << watched.elapsed() << " ms";
    ExpectTheOlderReportAlone();
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A PDF file name that cannot be written is told in a message box over the
// dialog, which stays open with the name to correct.
TEST_F(WindowTest, ThePrintDialogSaysWhyAFileCannotBeWrittenAndStaysOpen) {
    SKIP_ON_WINDOWS("Windows has its native print dialog, not the program's");
    OpenWithTheRealPrintDialog();
    Store({"1.00", "2.00"});
    const QStringList names = {dir_.path(), dir_.filePath("missing/report.pdf"), " ", Pdf()};
    QStringList told;
    int tried = 0;
    PrintWhile([&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told << box->text();
            return box->accept();
        }
        QDialog* dialog = PrintDialogShown();
        if (!dialog || tried >= names.size()) return;
        dialog->findChild<QLineEdit*>("filename")->setText(names[tried++]);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    EXPECT_EQ(tried, 4);
    EXPECT_EQ(told, QStringList({dir_.path() + " is a folder. Type the name of a file.",
                                 "The folder " + dir_.filePath("missing") + " does not exist.",
                                 "Type the name of the PDF file to print to."}));
    EXPECT_EQ(Said(), "Report printed, 1 page, to report.pdf");
}

// The disk fills up part way through the report (the kernel's file-size
// limit fails a write past 64 KB as a full disk would): no partial file, the
// older report untouched, and the user told once.
TEST_F(WindowTest, AReportThatDoesNotFitOnTheDiskIsNotWrittenAndIsTold) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows has no file-size limit to stand in for a full disk";
#else
    Open(std::make_unique<FakeDesktop>(&desktop_, Pdf()));  // the real printer, to a PDF
    WriteOlderReport();
    AddLines(2000, "Line %1 of a long report");
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);  // somebody else's
    Press("cmdPrint");
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the busy cursor is gone
    ExpectTheOlderReportAlone();
    EXPECT_EQ(desktop_.messages, std::vector<QStringList>({{"The report could not be printed: "
                                                            "File too large.",
                                                            "Print Failed"}}));
#endif
}

// The window closed while a print waits ends the application's event loops,
// the print's wait with them: that gives the print up, and is never taken for
// the work being done (or a silent print server for one that answered).
TEST(PrintProgressTest, TheApplicationEndingEndsAWaitAsCancelled) {
    std::optional<PrintProgress::Outcome> outcome;
    QTimer::singleShot(0, [&] {
        PrintProgress progress(nullptr);
        QTimer::singleShot(100, [] { QCoreApplication::exit(0); });
        outcome = progress.Wait([] { return false; },
                                [] { return PrintProgress::Status{"Waiting for nothing"}; }, 30000);
    });
    QCoreApplication::exec();
    ASSERT_TRUE(outcome.has_value()) << "the wait never ended";
    EXPECT_EQ(*outcome, PrintProgress::Outcome::Cancelled);
}

#if !defined(_WIN32)
// The paper a print server's media keyword names, as the dialog shows it and
// the PDF is laid out.
TEST(JobOptionsTest, MediaKeywordsNameTheirPaper) {
    struct Row {
        const char* keyword;
        const char* shown;
        double widthMm;
    };
    const Row rows[] = {
        {"iso_a4_210x297mm", "A4", 210},
        {"na_letter_8.5x11in", "Letter / ANSI A", 215.9},
        {"na_legal_8.5x14in", "Legal", 215.9},
        {"iso_a5_148x210mm", "A5", 148},
        {"om_small-photo_100x150mm", "100 x 150 mm", 100},  // no name of Qt's
        {"custom_16x20in_16x20in", "16 x 20 in", 406.4},
        {"roll_max_36x1000in", "36 x 1000 in", 914.4},
        {"custom_wide", "custom_wide", 0},  // no size at all
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keyword);
        EXPECT_EQ(MediaText(row.keyword), row.shown);
        const QPageSize size = PageSizeOfMedia(row.keyword);
        EXPECT_NEAR(size.isValid() ? size.size(QPageSize::Millimeter).width() : 0, row.widthMm,
                    0.2);
    }
}
#endif

}  // namespace
