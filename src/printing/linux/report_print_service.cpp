#include "printing/linux/report_print_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QPageLayout>
#include <algorithm>

#include "printing/linux/job_options.h"
#include "printing/linux/report_print_dialog.h"
#include "printing/report_printer.h"
#include "speech/print_dialog_speech.h"

namespace {

// Most printers cannot print close to the edge of the paper; one that needs
// more room on a side gets it.
constexpr double kMarginMm = 15;
// How long a print server that answers at once has before the dialog shows.
constexpr int kAwaitServerMs = 300;

QMarginsF Margins(const QMarginsF& least) {
    return {std::max(kMarginMm, least.left()), std::max(kMarginMm, least.top()),
            std::max(kMarginMm, least.right()), std::max(kMarginMm, least.bottom())};
}

ReportSetup SetupOf(const PrintChoices& chosen, const QMarginsF& least, const QString& title) {
    ReportSetup setup;
    setup.title = title;
    setup.creator = QCoreApplication::applicationName();
    QPageSize paper = PageSizeOfMedia(chosen.media);
    if (!paper.isValid()) paper = PageSizeOfMedia(FileMediaDefault());
    setup.layout =
        QPageLayout(paper, QPageLayout::Portrait, Margins(least), QPageLayout::Millimeter);
    if (chosen.range) {
        setup.fromPage = chosen.from;
        setup.toPage = chosen.to;
    }
    setup.collate = chosen.collate;
    setup.reverse = chosen.reverse;
    if (chosen.printer.isEmpty()) {
        setup.fileName = QDir::fromNativeSeparators(chosen.fileName);
        setup.copies = chosen.copies;
        return setup;
    }
    // A queue: the server makes the copies, and is told the paper and the
    // options chosen.
    setup.queue = chosen.printer;
    auto& options = setup.queueOptions;
    if (!chosen.media.isEmpty()) options.emplace_back("media", chosen.media.toUtf8());
    if (!chosen.sides.isEmpty()) options.emplace_back("sides", chosen.sides.toUtf8());
    if (!chosen.colour.isEmpty()) options.emplace_back("print-color-mode", chosen.colour.toUtf8());
    if (chosen.copies > 1) {
        options.emplace_back("copies", QByteArray::number(chosen.copies));
        options.emplace_back("multiple-document-handling",
                             chosen.collate ? "separate-documents-collated-copies"
                                            : "separate-documents-uncollated-copies");
    }
    return setup;
}

class ReportPrintService : public PrintDialogService {
  public:
    // The dialog is always cancelled by a rejection; nothing to set.
    void SetCancelError(bool) override {}
    // The copies asked for stand until a print has been made; then the
    // copies chosen for it are offered again.
    void SetCopies(std::int16_t copies) override { copies_ = copies; }
    void SetMinPage(std::int32_t page) override { minPage_ = page; }

    std::unique_ptr<PrinterService> ShowPrinter(QWidget* parent) override {
        const QString title =
            parent ? parent->window()->windowTitle() + QObject::tr(" Report") : QString();
        PrintChoices start = last_;
        if (!start.made) start.copies = std::max<int>(1, copies_);
        // A page range was for that report; this one may have other pages.
        start.range = false;
        ReportPrintDialog dialog(start, std::max(1, minPage_),
                                 QDir::toNativeSeparators(QDir::home().filePath(
                                     (title.isEmpty() ? QObject::tr("Report") : title) + ".pdf")),
                                 parent);
        PrintDialogSpeech::Attach(&dialog);
        dialog.AwaitServer(kAwaitServerMs);
        if (dialog.exec() != QDialog::Accepted) return nullptr;
        last_ = dialog.Chosen();
        return MakeReportPrinter(SetupOf(last_, dialog.LeastMargins(), title), parent);
    }

  private:
    PrintChoices last_;
    std::int16_t copies_ = 1;
    std::int32_t minPage_ = 1;
};

}  // namespace

std::unique_ptr<PrintDialogService> MakeReportPrintService() {
    return std::make_unique<ReportPrintService>();
}
