#include "printing/print_dialog.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include "printing/linux/report_print_service.h"
#else
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "printing/report_printer.h"
#include "results/result_line.h"
#include "speech/print_dialog_speech.h"

namespace {

// Most printers cannot print close to the edge of the paper.
const QMarginsF kMargins(15, 15, 15, 15);

// The chosen printer may need wider margins than those set; each side takes
// the larger of the two.
void KeepPrintableMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF set = layout.margins();
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(std::max(set.left(), least.left()), std::max(set.top(), least.top()),
                            std::max(set.right(), least.right()),
                            std::max(set.bottom(), least.bottom()));
    if (margins != set) printer.setPageMargins(margins, QPageLayout::Millimeter);
}

#if defined(Q_OS_WIN)
// With no printer to print on, the report can still be kept: the failure,
// then an offer to save it as a PDF file, in the paper size of the user's
// country.
std::unique_ptr<PrinterService> OfferPdfFile(QWidget* parent, const QString& reason) {
    const calc::Message failed = results::PrintFailedMessage(reason.toStdString());
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(failed.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(failed.text) + "\n\n" +
                QObject::tr("Save the report as a PDF file instead?"));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
    if (box.exec() != QMessageBox::Save) return nullptr;
    QFileDialog chooser(parent, QObject::tr("Save Report as PDF"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setNameFilter(QObject::tr("PDF files (*.pdf)"));
    chooser.setDefaultSuffix("pdf");
    chooser.setDirectory(QDir::home());
    ReportSetup setup;
    if (parent) setup.title = parent->window()->windowTitle() + QObject::tr(" Report");
    chooser.selectFile(setup.title + ".pdf");
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return nullptr;
    setup.fileName = chooser.selectedFiles().front();
    const QPageSize paper(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                              ? QPageSize::Letter
                              : QPageSize::A4);
    setup.layout = QPageLayout(paper, QPageLayout::Portrait, kMargins, QPageLayout::Millimeter);
    return MakeReportPrinter(std::move(setup), parent);
}
#endif

class QtPrintDialog : public PrintDialogService {
  public:
    // QPrintDialog always reports a cancel as a rejection; nothing to set.
    void SetCancelError(bool) override {}
    void SetCopies(std::int16_t copies) override { copies_ = copies; }
    void SetMinPage(std::int32_t page) override { minPage_ = page; }

    std::unique_ptr<PrinterService> ShowPrinter(QWidget* parent) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setCopyCount(copies_);
        printer->setPageMargins(kMargins, QPageLayout::Millimeter);
#if defined(Q_OS_WIN)
        // Without a default printer QPrinter turns to PDF output, which the
        // native dialog refuses without showing itself. Any installed
        // printer will do to open it on; with none, a PDF file is offered.
        if (printer->outputFormat() != QPrinter::NativeFormat) {
            const QStringList installed = QPrinterInfo::availablePrinterNames();
            if (installed.isEmpty()) {
                return OfferPdfFile(parent, QObject::tr("no printer is installed"));
            }
            printer->setPrinterName(installed.front());
        }
#endif
        QPrintDialog dialog(printer.get(), parent);
        // Only what the report honours: no selection, no current page.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintCollateCopies |
                          QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(minPage_, std::max(minPage_, dialog.maxPage()));
        // Qt 6.4's free-form "Pages" field refuses every entry (the dialog
        // checks the printer's page ranges before it has set them); "Pages
        // from ... to ..." remains.
        for (const char* name : {"pagesRadioButton", "pagesLineEdit"}) {
            if (auto* pages = dialog.findChild<QWidget*>(name)) pages->hide();
        }
        PrintDialogSpeech::Attach(&dialog);
        // Cancel ends the command like any other failure; with the setting
        // off there is still nothing to print on.
        if (dialog.exec() != QDialog::Accepted) return nullptr;
        KeepPrintableMargins(*printer);
        // The job's name in the printer's queue, or the PDF file's title.
        // Set only now: the dialog would also have made it the default name
        // of a PDF file.
        if (parent) {
            printer->setDocName(parent->window()->windowTitle() + QObject::tr(" Report"));
        }
        return MakeQtPrinter(std::move(printer), parent);
    }

  private:
    std::int16_t copies_ = 1;
    std::int32_t minPage_ = 1;
};

}  // namespace
#endif

std::unique_ptr<PrintDialogService> MakeQtPrintDialog() {
#if defined(Q_OS_LINUX)
    // Qt's dialog and its QPrinter ask the print server on the window's
    // thread, for minutes when it is silent.
    return MakeReportPrintService();
#else
    return std::make_unique<QtPrintDialog>();
#endif
}
