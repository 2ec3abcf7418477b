#include <QClipboard>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <functional>

#include "window/qt_platform.h"
#include "window_fixture.h"

namespace {

class ResultsTest : public WindowTest {
  protected:
    void Select(int row) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(List()->item(row)).center());
        ASSERT_TRUE(List()->item(row)->isSelected());
    }
};

TEST_F(ResultsTest, StoresTheShownSlotsAsOneLine) {
    Shape("Plate");
    Type(Field(2), "99");  // hidden below, never in the line
    Shape("Round Bar");
    Calculate({"2", "10"}, {"in", "ft"});
    Press("cmdStoreResult");
    Shape("Round Tube");
    Type(Field(0), " 3");
    Type(Field(1), "");
    Type(Pieces(), "abc");
    Type(Result(), " 12.5 ");
    Press("cmdStoreResult");
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(Lines(),
              QStringList({"Steel (Default)  Round Bar   Diameter: 2 in Length: 10 ft  "
                           "Pieces: 1  Total Weight: 106.92 lbs.",
                           "Steel (Default)  Round Tube   Outer Diameter:  3 in  Wall: "
                           "0.0 ft Length: 99 in  Pieces: abc  Total Weight:  12.5  lbs."}));
    EXPECT_EQ(Result()->text(), " 12.5 ");
}

TEST_F(ResultsTest, RefusesToStoreWithoutACalculationAndToRemoveWithoutASelection) {
    Press("cmdStoreResult");
    Store({"typed"});
    Press("cmdDeleteResult");
    const QStringList store = {"There is no calculation to be stored", "Store Failed"};
    const QStringList remove = {"Please select a calculation to delete", "Remove Failed"};
    EXPECT_EQ(desktop_.messages, std::vector<QStringList>({store, store, remove}));
    EXPECT_EQ(List()->count(), 0);
}

TEST_F(ResultsTest, RemoveResultAndTheDeleteKeyRemoveTheSelectedLineAndSelectNoOther) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"button", [this] { Press("cmdDeleteResult"); }},
        {"Delete key",
         [this] {
             List()->setFocus();
             QTest::keyClick(List(), Qt::Key_Delete);
         }},
    };
    for (const auto& [way, remove] : ways) {
        List()->clear();
        desktop_.messages.clear();
        Store({"1", "2", "3"});
        Select(1);
        remove();
        ASSERT_EQ(List()->count(), 2) << way;
        EXPECT_TRUE(List()->item(0)->text().endsWith("Total Weight: 1 lbs.")) << way;
        EXPECT_TRUE(List()->item(1)->text().endsWith("Total Weight: 3 lbs.")) << way;
        EXPECT_TRUE(List()->selectedItems().isEmpty()) << way;
        remove();
        ASSERT_EQ(desktop_.messages.size(), 1u) << way;
        EXPECT_EQ(desktop_.messages[0][1], "Remove Failed") << way;
        EXPECT_EQ(List()->count(), 2) << way;
    }
}

TEST_F(ResultsTest, LongLinesScrollAndCtrlCCopiesTheSelectedLine) {
    Type(Pieces(), QString(300, 'x'));
    Store({"1", "2"});
    QApplication::processEvents();
    EXPECT_TRUE(List()->horizontalScrollBar()->isVisible());
    Select(1);
    QApplication::clipboard()->clear();
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), List()->item(1)->text());
}

TEST_F(ResultsTest, PrintsTheLinesBetweenHeadingAndFooterAndChangesNothing) {
    Store({"1", "2"});
    Select(1);
    Press("cmdPrint");
    EXPECT_TRUE(desktop_.cancelError);
    const qsizetype first = desktop_.printed.indexOf("print " + List()->item(0)->text());
    EXPECT_EQ(desktop_.printed.mid(first - 2, 6),
              QStringList({"print ", "italic off", "print " + List()->item(0)->text(), "print ",
                           "print " + List()->item(1)->text(), "print "}));
    EXPECT_EQ(desktop_.printed.front(), "font MS Sans Serif");
    EXPECT_EQ(desktop_.printed.back(), "end");
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(List()->count(), 2);
    EXPECT_TRUE(List()->item(1)->isSelected());
}

TEST_F(ResultsTest, CancelSaysNothingAndAFailureIsAbortedAndTold) {
    desktop_.cancelPrint = true;
    Press("cmdPrint");
    EXPECT_TRUE(desktop_.printed.isEmpty());
    EXPECT_TRUE(desktop_.messages.empty());
    desktop_.cancelPrint = false;
    desktop_.printerFailsAt = 5;  // the heading line
    Press("cmdPrint");
    EXPECT_EQ(desktop_.printed.size(), 6);
    EXPECT_EQ(desktop_.printed.back(), "abort");  // never "end"
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0],
              QStringList({"The report could not be printed: paper jam", "Print Failed"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ResultsTest, BothLinksShareOneBrowserWindowAndABrokenOneIsReplaced) {
    auto* company = Get<QLabel>("lblCompURL");
    auto* author = Get<QLabel>("lblAuthorInfo2");
    for (int i = 0; i < 10; ++i) QTest::mouseClick(i % 2 ? author : company, Qt::LeftButton);
    EXPECT_EQ(desktop_.browsersMade, 1);
    ASSERT_EQ(desktop_.visited.size(), 10);
    EXPECT_EQ(desktop_.visited[0], company->text());
    EXPECT_TRUE(desktop_.visited[1].startsWith("https://"));
    desktop_.browserBroken = true;
    QTest::mouseClick(company, Qt::LeftButton);
    desktop_.browserBroken = false;
    QTest::mouseClick(company, Qt::LeftButton);
    EXPECT_EQ(desktop_.browsersMade, 2);
    EXPECT_EQ(desktop_.visited.size(), 11);
    EXPECT_TRUE(desktop_.messages.empty());
}

// The real Qt printer service, writing a PDF through Print Results.
class PdfReportTest : public ResultsTest {
  protected:
    void SetUp() override {
        Platform platform = FakePlatform(&desktop_);
        platform.printDialog = std::make_unique<PdfDialog>(&desktop_, dir_.filePath("report.pdf"));
        Open(std::move(platform));
    }
    struct PdfDialog : FakeDesktop {
        PdfDialog(Desktop* d, QString path) : FakeDesktop(d), path(std::move(path)) {}
        std::unique_ptr<PrinterService> ShowPrinter(QWidget*) override {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return MakeQtPrinter(std::move(printer));
        }
        QString path;
    };
    QString Run(const QString& program, QStringList args) const {
        QProcess process;
        args.replaceInStrings("PDF", dir_.filePath("report.pdf"));
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    int Pages() const {
        return QRegularExpression(R"(Pages:\s+(\d+))")
            .match(Run("pdfinfo", {"PDF"}))
            .captured(1)
            .toInt();
    }
    static QString Squeezed(QString text) { return text.remove(QRegularExpression(R"(\s)")); }
    QTemporaryDir dir_;
};

TEST_F(PdfReportTest, EveryReportLineIsPrintedInOrder) {
    Store({"1.00", "2.00"});
    Press("cmdPrint");
    const QString text = Squeezed(Run("pdftotext", {"-layout", "PDF", "-"}));
    qsizetype from = 0;
    for (const QString& line :
         {QString("Orvanta, LLC - Divaz Avedur Odezezadoz"), QString("Calculations:"),
          List()->item(0)->text(), List()->item(1)->text(),
          QString("Vevari Radidu Zezareruze Utility provided by Orvanta, LLC."),
          QString("Millbrook, OH 44870"), QString("Phone: 555.555.0100"),
          QString("Fax: 555.555.0101")}) {
        const qsizetype at = text.indexOf(Squeezed(line), from);
        EXPECT_GE(at, from) << line.toStdString();
        from = std::max(from, at);
    }
    EXPECT_FALSE(text.contains("Tollfree"));
    EXPECT_EQ(Pages(), 1);
}

TEST_F(PdfReportTest, WideLinesWrapAndLongListsRunOverPagesWithNothingLost) {
    // The pieces are stored as typed: one word longer than a printed line,
    // then words that wrap at blanks.
    QString pieces;
    for (int i = 0; pieces.size() < 250; ++i) pieces += QString::number(i % 10);
    for (int i = 0; pieces.size() < 420; ++i) pieces += QString(" w%1").arg(i);
    Type(Pieces(), pieces);
    Store({"1.00"});
    Type(Pieces(), "1");
    for (int i = 0; i < 300; ++i) Store({QString("%1.25").arg(1000 + i)});
    Press("cmdPrint");
    const QString text = Run("pdftotext", {"-layout", "PDF", "-"});
    EXPECT_TRUE(Squeezed(text).contains(Squeezed(List()->item(0)->text())));
    EXPECT_GE(text.count(QRegularExpression(R"(\d{20}| w\d+\n)")), 3);  // spread over lines
    for (int i = 0; i < 300; ++i) {
        EXPECT_TRUE(text.contains(QString("Total Weight: %1.25 lbs.").arg(1000 + i))) << i;
    }
    EXPECT_GT(Pages(), 5);
    EXPECT_TRUE(text.contains("Fax: 555.555.0101"));
}

}  // namespace
