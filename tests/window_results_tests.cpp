#include <QClipboard>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include "window/qt_platform.h"
#include "window_fixture.h"

namespace {

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

class ResultsTest : public WindowTest {
  protected:
    void Select(int row) {
        QListWidgetItem* item = List()->item(row);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(item).center());
        ASSERT_TRUE(item->isSelected());
    }
    void StoreLines(const QStringList& results) {
        for (const QString& result : results) {
            Type(Result(), result);
            Press("cmdStoreResult");
        }
    }
};

TEST_F(ResultsTest, StoresTheWindowAsOneLine) {
    Shape("Round Bar");
    Calculate({"2", "10"}, {"in", "ft"});
    Press("cmdStoreResult");
    Shape("Plate");
    Type(Field(0), "0.25");
    Type(Field(1), "");
    Type(Field(2), "8");
    Choose(Units(2), "ft");
    Type(Pieces(), "2");
    Type(Result(), "54.45");
    Press("cmdStoreResult");
    Alloy("Brass");
    Shape("Round Tube");
    Type(Field(0), " 3");
    Type(Pieces(), "abc");
    Type(Result(), " 12.5 ");
    Press("cmdStoreResult");
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Lines(List()),
              QStringList({"Steel (Default)  Round Bar   Diameter: 2 in Length: 10 ft  Pieces: 1  "
                           "Total Weight: 106.92 lbs.",
                           "Steel (Default)  Plate   Thickness: 0.25 in  Width: 0.0 ft Length: 8 "
                           "ft  Pieces: 2  Total Weight: 54.45 lbs.",
                           "Brass  Round Tube   Outer Diameter:  3 in  Wall: 0.0 ft Length: 8 ft  "
                           "Pieces: abc  Total Weight:  12.5  lbs."}));
    EXPECT_EQ(Result()->text(), " 12.5 ");  // nothing changes after a store
}

TEST_F(ResultsTest, HiddenSlotsNeverEnterTheLine) {
    Shape("Plate");
    Type(Field(2), "99");
    Shape("Hexagon Bar");
    Calculate({"1", "1"}, {"in", "ft"});
    Press("cmdStoreResult");
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(),
              "Steel (Default)  Hexagon Bar   Diameter: 1 in Length: 1 ft  Pieces: 1  Total "
              "Weight: 2.95 lbs.");
}

TEST_F(ResultsTest, RefusesToStoreWithoutACalculation) {
    Press("cmdStoreResult");
    Calculate({"1", "1"});
    Press("cmdClearFields");
    Press("cmdStoreResult");
    Type(Result(), "typed");
    Press("cmdStoreResult");
    ASSERT_EQ(messages_.size(), 3u);
    for (const Shown& shown : messages_) {
        EXPECT_EQ(shown.text, "There is no calculation to be stored");
        EXPECT_EQ(shown.title, "Store Failed");
    }
    EXPECT_EQ(List()->count(), 0);
}

TEST_F(ResultsTest, RemovesTheSelectedLineAndSelectsNoOther) {
    Press("cmdDeleteResult");  // empty list
    StoreLines({"1", "2", "3"});
    Press("cmdDeleteResult");  // lines, none selected
    Select(1);
    Press("cmdDeleteResult");
    EXPECT_EQ(List()->count(), 2);
    EXPECT_TRUE(List()->item(0)->text().endsWith("Total Weight: 1 lbs."));
    EXPECT_TRUE(List()->item(1)->text().endsWith("Total Weight: 3 lbs."));
    EXPECT_TRUE(List()->selectedItems().isEmpty());
    Press("cmdDeleteResult");
    ASSERT_EQ(messages_.size(), 3u);
    for (const Shown& shown : messages_) {
        EXPECT_EQ(shown.text, "Please select a calculation to delete");
        EXPECT_EQ(shown.title, "Remove Failed");
    }
    EXPECT_EQ(List()->count(), 2);
}

TEST_F(ResultsTest, LongLinesCanBeScrolledTo) {
    Type(Field(0), QString(300, '1'));
    StoreLines({"1"});
    QApplication::processEvents();
    EXPECT_TRUE(List()->horizontalScrollBar()->isVisible());
    EXPECT_GT(List()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(ResultsTest, CtrlCCopiesTheSelectedLine) {
    StoreLines({"1", "2"});
    Select(1);
    QApplication::clipboard()->clear();
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), List()->item(1)->text());
    EXPECT_EQ(List()->count(), 2);
}

TEST_F(ResultsTest, PrintsHeadingLinesAndFooterInOrder) {
    StoreLines({"1", "2"});
    Select(1);
    Press("cmdPrint");
    EXPECT_TRUE(print_.cancelError);
    const std::vector<std::string> expected = {
        "font MS Sans Serif",
        "size 14",
        "print ",
        "bold on",
        "print Orvanta, LLC - Divaz Avedur Odezezadoz",
        "print Calculations:",
        "bold off",
        "size 10",
        "print ",
        "italic off",
        "print " + List()->item(0)->text().toStdString(),
        "print ",
        "print " + List()->item(1)->text().toStdString(),
        "print ",
        "size 8",
        "italic on",
        "print ",
        "print Vevari Radidu Zezareruze Utility provided by Orvanta, LLC.",
        "print ",
        "print Millbrook, OH 44870\r\nPhone: 555.555.0100\r\nFax: 555.555.0101",
        "print ",
        "end"};
    EXPECT_EQ(print_.log, expected);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(List()->count(), 2);
    EXPECT_TRUE(List()->item(1)->isSelected());
}

TEST_F(ResultsTest, CancelOrFailurePrintsNothingAndSaysNothing) {
    StoreLines({"1"});
    print_.cancel = true;
    Press("cmdPrint");
    EXPECT_EQ(print_.shown, 1);
    EXPECT_TRUE(print_.log.empty());

    print_.cancel = false;
    print_.failAt = 5;  // the heading line
    Press("cmdPrint");
    ASSERT_EQ(print_.log.size(), 6u);
    EXPECT_EQ(print_.log.back(), "abort");  // never "end"
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(List()->count(), 1);
}

// The real Qt printer service, writing a PDF through the window's Print Results.
class PdfDialog : public PrintDialogService {
  public:
    explicit PdfDialog(QString path) : path_(std::move(path)) {}
    void SetCancelError(bool) override {}
    void SetCopies(std::int16_t) override {}
    void SetMinPage(std::int32_t) override {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget*) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path_);
        return MakeQtPrinter(std::move(printer));
    }

  private:
    QString path_;
};

class PdfReportTest : public ResultsTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        pdf_ = dir_.filePath("report.pdf");
        form_ = std::make_unique<Form1>(Platform{std::make_unique<RecordingMessages>(&messages_),
                                                 std::make_unique<PdfDialog>(pdf_),
                                                 std::make_unique<FakeBrowser>(&browser_)});
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    static QString Run(const QString& program, const QStringList& args) {
        QProcess process;
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    QString Text() const { return Run("pdftotext", {"-layout", pdf_, "-"}); }
    int Pages() const {
        const QRegularExpression pages(R"(Pages:\s+(\d+))");
        return pages.match(Run("pdfinfo", {pdf_})).captured(1).toInt();
    }
    static QString Squeezed(QString text) { return text.remove(QRegularExpression(R"(\s)")); }

    QTemporaryDir dir_;
    QString pdf_;
};

TEST_F(PdfReportTest, EveryReportLineIsPrintedInOrder) {
    StoreLines({"1.00", "2.00"});
    Press("cmdPrint");
    const QString text = Text();
    const QStringList expected = {"Orvanta, LLC - Divaz Avedur Odezezadoz",
                                  "Calculations:",
                                  List()->item(0)->text(),
                                  List()->item(1)->text(),
                                  "Vevari Radidu Zezareruze Utility provided by Orvanta, LLC.",
                                  "Millbrook, OH 44870",
                                  "Phone: 555.555.0100",
                                  "Fax: 555.555.0101"};
    qsizetype from = 0;
    for (const QString& line : expected) {
        const qsizetype at = Squeezed(text).indexOf(Squeezed(line), from);
        EXPECT_GE(at, 0) << line.toStdString() << "\n" << text.toStdString();
        from = std::max(from, at);
    }
    EXPECT_FALSE(text.contains("Tollfree"));
    EXPECT_EQ(Pages(), 1);
}

TEST_F(PdfReportTest, ALineWiderThanThePageWrapsWithNothingLost) {
    // The number of pieces is stored as typed: one word longer than a line,
    // then words that wrap at blanks.
    QString pieces;
    for (int i = 0; pieces.size() < 250; ++i) pieces += QString::number(i % 10);
    for (int i = 0; pieces.size() < 420; ++i) pieces += QString(" w%1").arg(i);
    Type(Pieces(), pieces);
    StoreLines({"1.00"});
    const QString line = List()->item(0)->text();
    ASSERT_GT(line.size(), 400) << line.toStdString();
    Press("cmdPrint");
    const QString text = Text();
    EXPECT_TRUE(Squeezed(text).contains(Squeezed(line)));
    int linesHoldingIt = 0;  // wrapped: the stored line spans several printed lines
    for (const QString& printed : text.split('\n')) {
        if (printed.contains(QRegularExpression(R"(\d{20}| w\d+)"))) ++linesHoldingIt;
    }
    EXPECT_GE(linesHoldingIt, 3);
}

TEST_F(PdfReportTest, ALongListRunsOverSeveralPages) {
    QStringList results;
    for (int i = 0; i < 300; ++i) results << QString("%1.25").arg(1000 + i);
    StoreLines(results);
    Press("cmdPrint");
    const QString text = Text();
    for (int i = 0; i < 300; ++i) {
        EXPECT_TRUE(text.contains(QString("Total Weight: %1.25 lbs.").arg(1000 + i))) << i;
    }
    EXPECT_GT(Pages(), 5);
    EXPECT_TRUE(text.contains("Fax: 555.555.0101"));
}

TEST_F(ResultsTest, BothLinksShareOneBrowserWindow) {
    auto* company = Get<QLabel>("lblCompURL");
    auto* author = Get<QLabel>("lblAuthorInfo2");
    QTest::mouseClick(company, Qt::LeftButton);
    QTest::mouseClick(author, Qt::LeftButton);
    for (int i = 0; i < 8; ++i) QTest::mouseClick(i % 2 ? company : author, Qt::LeftButton);
    EXPECT_EQ(browser_.created, 1);
    ASSERT_EQ(browser_.addresses.size(), 10u);
    EXPECT_EQ(browser_.addresses[0], company->text());
    EXPECT_TRUE(browser_.addresses[1].startsWith("https://"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ResultsTest, AFailingBrowserLeavesTheCalculatorUsable) {
    browser_.failing = true;
    QTest::mouseClick(Get<QLabel>("lblCompURL"), Qt::LeftButton);
    QTest::mouseClick(Get<QLabel>("lblCompURL"), Qt::LeftButton);
    EXPECT_EQ(browser_.created, 2);  // the broken window was replaced
    EXPECT_TRUE(messages_.empty());
    browser_.failing = false;
    QTest::mouseClick(Get<QLabel>("lblAuthorInfo2"), Qt::LeftButton);
    EXPECT_EQ(browser_.addresses.size(), 1u);
    Calculate({"1", "1"}, {"in", "ft"});
    EXPECT_EQ(Result()->text(), "2.67");
}

}  // namespace
