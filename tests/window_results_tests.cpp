#include <sys/resource.h>

#include <QClipboard>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <csignal>
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
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    Select(1);
    List()->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), List()->item(1)->text());
    // The current line without a selection is not copied.
    List()->clearSelection();
    ASSERT_EQ(List()->currentRow(), 1);
    QApplication::clipboard()->setText("before");
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
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
// What the user chose in the dialog.
struct PdfDialog : FakeDesktop {
    PdfDialog(Desktop* d, QString path) : FakeDesktop(d), path(std::move(path)) {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget*) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        if (choose) choose(*printer);
        return MakeQtPrinter(std::move(printer));
    }
    QString path;
    std::function<void(QPrinter&)> choose;
};

class PdfReportTest : public ResultsTest {
  protected:
    void SetUp() override {
        Platform platform = FakePlatform(&desktop_);
        auto dialog = std::make_unique<PdfDialog>(&desktop_, dir_.filePath("report.pdf"));
        dialog_ = dialog.get();
        platform.printDialog = std::move(dialog);
        Open(std::move(platform));
    }
    PdfDialog* dialog_ = nullptr;
    PdfDialog& Dialog() { return *dialog_; }
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
    // Page texts, split where pdftotext puts a form feed.
    QStringList PageTexts() const {
        QStringList pages = Run("pdftotext", {"-layout", "PDF", "-"}).split('\f');
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
        return pages;
    }
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

TEST_F(PdfReportTest, APageRangePrintsThosePagesAndCopiesAreCollated) {
    for (int i = 0; i < 150; ++i) Store({QString("%1.25").arg(1000 + i)});
    Press("cmdPrint");
    const QStringList whole = PageTexts();
    ASSERT_GE(whole.size(), 4);
    ASSERT_TRUE(whole[0].contains("Calculations:"));

    Dialog().choose = [](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
    };
    Press("cmdPrint");
    EXPECT_EQ(PageTexts(), QStringList({whole[1], whole[2]}));

    Dialog().choose = [](QPrinter& printer) {
        printer.setCopyCount(2);
        printer.setCollateCopies(true);
    };
    Press("cmdPrint");
    EXPECT_EQ(PageTexts(), whole + whole);

    Dialog().choose = [](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(1, 2);
        printer.setCopyCount(2);
        printer.setCollateCopies(false);
    };
    Press("cmdPrint");
    EXPECT_EQ(PageTexts(), QStringList({whole[0], whole[0], whole[1], whole[1]}));
    EXPECT_TRUE(desktop_.messages.empty());
}

// Through the real print dialog, cancelled, then confirmed as a user would:
// the file name typed into its field, then Print.
TEST_F(ResultsTest, TheRealDialogPrintsWithMarginsOfFifteenMillimetres) {
    watchdog_.stop();  // the dialog is expected here
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    Platform platform = FakePlatform(&desktop_);
    platform.printDialog = QtPlatform().printDialog;
    Open(std::move(platform));
    watchdog_.stop();
    Type(Pieces(), QString("wide ").repeated(60));
    Store({"1.00"});
    // Cancelled with a file name filled in: nothing is written, nothing said.
    QTimer::singleShot(50, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("filename")->setText(path);
        QMetaObject::invokeMethod(dialog, "reject");
    });
    Press("cmdPrint");
    EXPECT_FALSE(QFile::exists(path));
    QTimer::singleShot(50, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* file = dialog->findChild<QLineEdit*>("filename");
        ASSERT_NE(file, nullptr);
        auto* options = qobject_cast<QPrintDialog*>(dialog);
        ASSERT_NE(options, nullptr);
        EXPECT_TRUE(options->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(options->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(options->testOption(QAbstractPrintDialog::PrintCurrentPage));
        file->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Press("cmdPrint");
    QProcess process;
    process.start("pdftotext", {"-bbox", path, "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString boxes = QString::fromUtf8(process.readAllStandardOutput());
    const auto page =
        QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(boxes);
    ASSERT_TRUE(page.hasMatch());
    const double width = page.captured(1).toDouble();
    const double height = page.captured(2).toDouble();
    const double margin = 15 / 25.4 * 72 - 0.5;  // in points, less rounding
    int words = 0;
    const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
    for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
        const auto box = it.next();
        EXPECT_GE(box.captured(1).toDouble(), margin);
        EXPECT_GE(box.captured(2).toDouble(), margin);
        EXPECT_LE(box.captured(3).toDouble(), width - margin);
        EXPECT_LE(box.captured(4).toDouble(), height - margin);
    }
    EXPECT_GT(words, 60);
    EXPECT_TRUE(desktop_.messages.empty());
}

// A full disk part way through the report: no file, no partial file, the
// older report untouched, and the user told once.
// The disk fills up part way through the report. A 64 KB file system where
// one can be mounted; otherwise the kernel's file-size limit, which fails a
// write past 64 KB in the same way.
class FullDisk {
  public:
    FullDisk() {
        mounted_ = QProcess::execute("mount",
                                     {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir_.path()}) == 0;
        reason_ = mounted_ ? "No space left on device" : "File too large";
    }
    ~FullDisk() {
        if (mounted_) QProcess::execute("umount", {dir_.path()});
        if (limited_) setrlimit(RLIMIT_FSIZE, &before_);
    }
    // From here on, writing more than the disk holds fails.
    void Fill() {
        if (mounted_) return;
        getrlimit(RLIMIT_FSIZE, &before_);
        signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
        rlimit small = before_;
        small.rlim_cur = 64 * 1024;
        limited_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    QString Path() const { return dir_.filePath("report.pdf"); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files); }
    QString Reason() const { return reason_; }

  private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit before_{};
    QString reason_;
};

// No file, no partial file, the older report untouched, and the user told once.
TEST_F(ResultsTest, AReportThatDoesNotFitOnTheDiskIsNotWrittenAndIsTold) {
    FullDisk disk;
    {
        QFile older(disk.Path());
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older report");
    }
    Platform platform = FakePlatform(&desktop_);
    platform.printDialog = std::make_unique<PdfDialog>(&desktop_, disk.Path());
    Open(std::move(platform));
    for (int i = 0; i < 2000; ++i) List()->addItem(QString("Line %1 of a long report").arg(i));
    disk.Fill();
    Press("cmdPrint");
    QFile older(disk.Path());
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), "older report");
    EXPECT_EQ(disk.Files(), QStringList({"report.pdf"}));
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0],
              QStringList({"The report could not be printed: " + disk.Reason(), "Print Failed"}));
}

}  // namespace
