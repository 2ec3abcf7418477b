// The report on paper or in a PDF file. Lines are collected as the report is
// printed and drawn when the document ends, so the program can lay out the
// pages, print only the pages asked for, and make copies itself where the
// printer does not. A PDF is written through QSaveFile: it appears whole, or
// not at all and an older file of that name stays as it was. A job for a
// printer queue is made the same way in memory and handed to the print server
// whole, so its refusal reaches the window. The work runs on a thread of its
// own (Qt paints on a QPdfWriter in any thread) while the window shows its
// progress and offers Cancel.

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <atomic>
#include <climits>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/fonts.h"
#include "printing/print_progress.h"
#include "printing/report_printer.h"

#if defined(Q_OS_LINUX)
#include "printing/linux/print_server.h"
#endif

namespace {

// One line of the report as the page shows it: a laid-out line of text (a
// long report line wraps into several) and the page it falls on.
struct PlacedLine {
    const QTextLayout* layout;
    int line;
    int page;  // from 1
    double y;  // top on its page
};

// What the report needs to know of the printer, read once on the window's
// thread so the thread that writes the report never asks the QPrinter.
using PageSetup = ReportSetup;

PageSetup SetupOf(QPrinter& printer) {
    PageSetup setup;
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        setup.fileName = printer.outputFileName();
    } else {
        setup.queue = printer.printerName();
    }
    setup.layout = printer.pageLayout();
    setup.resolution = printer.resolution();
    setup.title = printer.docName();
    setup.creator = printer.creator();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        setup.fromPage = printer.fromPage();
        if (printer.toPage() > 0) setup.toPage = printer.toPage();
    }
    // Copies the printer does not make itself are made here, collated
    // unless the dialog asked otherwise.
    if (!printer.supportsMultipleCopies() && printer.copyCount() > 1) {
        setup.copies = printer.copyCount();
        printer.setCopyCount(1);
    }
    setup.collate = printer.collateCopies();
    // The printer expects the application to reverse the order itself.
    setup.reverse = printer.pageOrder() == QPrinter::LastPageFirst;
    return setup;
}

class ReportPrinter : public PrinterService {
  public:
    ReportPrinter(PageSetup setup, std::unique_ptr<QPrinter> printer, QWidget* window)
        : setup_(std::move(setup)), printer_(std::move(printer)), window_(window) {}

    bool SetFontName(const QString& name) override {
        // A face the machine lacks falls back to the one the window uses.
        font_.setFamily(AvailableFamily(name));
        return !finished_;
    }
    bool SetFontSize(double points) override {
        font_.setPointSizeF(points);
        return !finished_;
    }
    bool SetBold(bool on) override {
        font_.setBold(on);
        return !finished_;
    }
    bool SetItalic(bool on) override {
        font_.setItalic(on);
        return !finished_;
    }
    bool PrintLine(const QString& text) override {
        if (finished_) return false;
        for (const QString& piece : text.split("\r\n")) blocks_.push_back({font_, piece});
        return true;
    }

    bool EndDoc() override {
        if (finished_) return false;
        finished_ = true;
        PrintProgress progress(window_);
        // A printer queue, or else a PDF file: the only two the dialog offers.
        const bool done = setup_.fileName.isEmpty() ? SendToQueue(progress) : WriteFile(progress);
        if (!done && cancelled_) ending_ = Ending::Cancelled;
        return done;
    }

    void Abort() override {
        finished_ = true;
        blocks_.clear();
    }

    QString FailureReason() const override { return failure_; }
    int PageCount() const override { return pagesTotal_; }
    QString OutputFile() const override { return setup_.fileName; }
    QString QueueName() const override { return setup_.queue; }
    Ending HowEnded() const override { return ending_; }

  private:
    struct Block {
        QFont font;
        QString text;
    };

    // Runs `work` on a thread of its own while the window waits; a cancel
    // stops it at its next page or line.
    bool InBackground(PrintProgress& progress, const std::function<bool()>& work) {
        std::atomic<bool> done = false;
        bool result = false;
        std::thread worker([&] {
            result = work();
            done = true;
            progress.Wake();
        });
        const auto status = [this] {
            const int total = pagesTotal_;
            if (total == 0)
                return PrintProgress::Status{QObject::tr("Laying out the report..."), 0, 0};
            const int pages = pagesDone_;
            return PrintProgress::Status{QObject::tr("%1 of %2 pages").arg(pages).arg(total), pages,
                                         total};
        };
        if (progress.Wait([&] { return done.load(); }, status) ==
            PrintProgress::Outcome::Cancelled) {
            cancelled_ = true;
        }
        worker.join();
        return result;
    }

    bool WriteFile(PrintProgress& progress) {
        return InBackground(progress, [this] {
            QSaveFile file(setup_.fileName);
            if (!file.open(QIODevice::WriteOnly)) return Fail(file.errorString());
            // A cancel leaves no file behind, and an older one as it was.
            if (!WritePdf(file) || cancelled_) {
                file.cancelWriting();
                return false;
            }
            return file.commit() || Fail(file.errorString());
        });
    }

#if defined(Q_OS_LINUX)
    bool SendToQueue(PrintProgress& progress) {
        QByteArray pdf;
        const bool written = InBackground(progress, [&] {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            return WritePdf(buffer) && !cancelled_;
        });
        if (!written) return false;
        const HandOver handed =
            HandToPrintServer({setup_.queue, setup_.title, setup_.queueOptions}, pdf, progress);
        switch (handed.outcome) {
            case HandOver::Outcome::Accepted:
                return true;
            case HandOver::Outcome::Cancelled:
                cancelled_ = true;
                return false;
            case HandOver::Outcome::Unconfirmed:
                ending_ = Ending::Unconfirmed;
                break;
            case HandOver::Outcome::Failed:
                break;
        }
        return Fail(handed.reason);
    }
#else
    // Elsewhere Qt's own print engine hands the pages to the system's
    // spooler, which tells a failure through the printer's state. (Qt paints
    // on a QPrinter from any thread.)
    bool SendToQueue(PrintProgress& progress) {
        if (!printer_) return Fail(QObject::tr("no printer was chosen"));
        return InBackground(progress, [this] {
            if (!Print(*printer_)) return false;
            return printer_->printerState() != QPrinter::Error ||
                   Fail(QObject::tr("the printer reported an error"));
        });
    }
#endif

    bool WritePdf(QIODevice& out) {
        QPdfWriter writer(&out);
        writer.setResolution(setup_.resolution);
        writer.setPageLayout(setup_.layout);
        writer.setTitle(setup_.title);
        writer.setCreator(setup_.creator);
        return Print(writer);
    }

    bool Print(QPagedPaintDevice& device) {
        const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
        const std::vector<PlacedLine> lines = Layout(device, page.size());
        if (cancelled_) return false;
        const int pageCount = lines.empty() ? 0 : lines.back().page;
        const int from = setup_.fromPage;
        const int to = std::min(pageCount, setup_.toPage);
        // A range past the report's end would make an empty document, which
        // would replace an older file or reach the printer as a blank job.
        if (from > to) return Fail(NoPagesInRange(pageCount));
        const int copies = setup_.copies;
        std::vector<int> sequence;
        for (int outer = 0; outer < (setup_.collate ? copies : 1); ++outer) {
            for (int i = 0; i <= to - from; ++i) {
                for (int inner = 0; inner < (setup_.collate ? 1 : copies); ++inner) {
                    sequence.push_back(setup_.reverse ? to - i : from + i);
                }
            }
        }
        pagesTotal_ = static_cast<int>(sequence.size());
        // Lines come in page order: page p is lines firstLine[p] up to firstLine[p + 1].
        std::vector<std::size_t> firstLine(static_cast<std::size_t>(pageCount) + 2, lines.size());
        for (std::size_t l = lines.size(); l-- > 0;) {
            firstLine[static_cast<std::size_t>(lines[l].page)] = l;
        }

        QPainter painter;
        if (!painter.begin(&device)) return Fail(QObject::tr("the printer could not be started"));
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            if (cancelled_) {
                // Nothing of a cancelled print reaches a printer; a file or
                // buffer is thrown away by the caller.
                if (printer_ && &device == printer_.get()) printer_->abort();
                painter.end();
                return false;
            }
            if (i > 0 && !device.newPage()) {
                painter.end();
                return Fail(QObject::tr("the printer could not start a new page"));
            }
            const auto page = static_cast<std::size_t>(sequence[i]);
            for (std::size_t l = firstLine[page]; l < firstLine[page + 1]; ++l) {
                const PlacedLine& placed = lines[l];
                const QTextLine line = placed.layout->lineAt(placed.line);
                line.draw(&painter, QPointF(0, placed.y - line.y()));
            }
            pagesDone_ = static_cast<int>(i) + 1;
        }
        if (!painter.end()) return Fail(QObject::tr("the printer service reported an error"));
        return true;
    }

    // Wraps every line to the page width with Qt's text layout and breaks the
    // report into pages. Lines wrap at word boundaries; a word longer than a
    // line is then broken anywhere, on its own. (Qt's combined mode measures
    // the rest of an over-long word again for every line it fills, which
    // takes seconds for a 32,767-character paste; this way each character
    // is laid out at most twice.)
    std::vector<PlacedLine> Layout(QPaintDevice& device, QSizeF page) {
        layouts_.clear();
        std::vector<PlacedLine> placed;
        int pageNumber = 1;
        double y = 0;
        const auto place = [&](const QTextLayout* layout, int line, double height) {
            if (y > 0 && y + height > page.height()) {
                ++pageNumber;
                y = 0;
            }
            placed.push_back({layout, line, pageNumber, y});
            y += height;
        };
        for (const Block& block : blocks_) {
            if (cancelled_) break;
            const double height = QFontMetricsF(block.font, &device).lineSpacing();
            const QTextLayout* words =
                LaidOut(block.text, block.font, device, page.width(), QTextOption::WordWrap);
            for (int i = 0; i < words->lineCount(); ++i) {
                const QTextLine line = words->lineAt(i);
                if (line.naturalTextWidth() <= page.width()) {
                    place(words, i, height);
                    continue;
                }
                const QTextLayout* pieces =
                    LaidOut(block.text.mid(line.textStart(), line.textLength()), block.font, device,
                            page.width(), QTextOption::WrapAnywhere);
                for (int j = 0; j < pieces->lineCount(); ++j) place(pieces, j, height);
            }
        }
        return placed;
    }

    const QTextLayout* LaidOut(const QString& text, const QFont& font, QPaintDevice& device,
                               double width, QTextOption::WrapMode mode) {
        auto layout = std::make_unique<QTextLayout>(text, font, &device);
        QTextOption option;
        option.setWrapMode(mode);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
        }
        layout->endLayout();
        layouts_.push_back(std::move(layout));
        return layouts_.back().get();
    }

    static QString NoPagesInRange(int pageCount) {
        const QString pages =
            pageCount == 1 ? QObject::tr("1 page") : QObject::tr("%1 pages").arg(pageCount);
        return QObject::tr("the report has %1, and the chosen pages hold none of them").arg(pages);
    }

    bool Fail(const QString& reason) {
        failure_ = reason;
        return false;
    }

    const PageSetup setup_;
    std::unique_ptr<QPrinter> printer_;  // only for a printer queue
    QWidget* window_;
    QFont font_;
    std::vector<Block> blocks_;
    std::vector<std::unique_ptr<QTextLayout>> layouts_;
    QString failure_;
    bool finished_ = false;
    Ending ending_ = Ending::Failed;
    // Shared with the thread that writes the report.
    std::atomic<bool> cancelled_ = false;
    std::atomic<int> pagesDone_ = 0;
    std::atomic<int> pagesTotal_ = 0;  // in the document; 0 until the report is laid out
};

}  // namespace

std::unique_ptr<PrinterService> MakeQtPrinter(std::unique_ptr<QPrinter> printer, QWidget* window) {
    PageSetup setup = SetupOf(*printer);
    return std::make_unique<ReportPrinter>(std::move(setup), std::move(printer), window);
}

std::unique_ptr<PrinterService> MakeReportPrinter(ReportSetup setup, QWidget* window) {
    if (setup.creator.isEmpty()) setup.creator = QCoreApplication::applicationName();
    return std::make_unique<ReportPrinter>(std::move(setup), nullptr, window);
}
