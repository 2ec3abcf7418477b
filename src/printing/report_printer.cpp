// The report on paper or in a PDF file. Lines are collected as the report is
// printed and drawn when the document ends, so the program can lay out the
// pages, print only the pages asked for, and make copies itself where the
// printer does not. A PDF is written through QSaveFile: it appears whole, or
// not at all and an older file of that name stays as it was. A job for a
// printer queue is made the same way in memory and handed to the print server
// whole, so its refusal reaches the window.

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <climits>
#include <memory>
#include <vector>

#include "platform/fonts.h"
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

class ReportPrinter : public PrinterService {
  public:
    explicit ReportPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

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
        // A printer queue, or else a PDF file: the only two the dialog offers.
        return ToQueue() ? SendToQueue() : WriteFile();
    }

    void Abort() override {
        finished_ = true;
        blocks_.clear();
    }

    QString FailureReason() const override { return failure_; }
    int PageCount() const override { return pages_; }
    QString OutputFile() const override {
        return ToQueue() ? QString() : printer_->outputFileName();
    }
    QString QueueName() const override { return printer_->printerName(); }

  private:
    struct Block {
        QFont font;
        QString text;
    };

    bool ToQueue() const { return printer_->outputFormat() == QPrinter::NativeFormat; }

    bool WriteFile() {
        QSaveFile file(printer_->outputFileName());
        if (!file.open(QIODevice::WriteOnly)) return Fail(file.errorString());
        if (!WritePdf(file)) {
            file.cancelWriting();
            return false;
        }
        if (!file.commit()) return Fail(file.errorString());
        return true;
    }

#if defined(Q_OS_LINUX)
    bool SendToQueue() {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        if (!WritePdf(pdf)) return false;
        const QString failure = HandToPrintServer(*printer_, pdf.data());
        return failure.isEmpty() || Fail(failure);
    }
#else
    // Elsewhere Qt's own print engine hands the pages to the system's
    // spooler, which tells a failure through the printer's state.
    bool SendToQueue() {
        if (!Print(*printer_)) return false;
        return printer_->printerState() != QPrinter::Error ||
               Fail(QObject::tr("the printer reported an error"));
    }
#endif

    bool WritePdf(QIODevice& out) {
        QPdfWriter writer(&out);
        writer.setResolution(printer_->resolution());
        writer.setPageLayout(printer_->pageLayout());
        writer.setTitle(printer_->docName());
        writer.setCreator(printer_->creator());
        return Print(writer);
    }

    bool Print(QPagedPaintDevice& device) {
        const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
        const std::vector<PlacedLine> lines = Layout(device, page.size());
        const int pageCount = lines.empty() ? 0 : lines.back().page;
        int from = 1;
        int to = pageCount;
        if (printer_->printRange() == QPrinter::PageRange && printer_->fromPage() > 0) {
            from = printer_->fromPage();
            to = std::min(pageCount, printer_->toPage() > 0 ? printer_->toPage() : INT_MAX);
        }
        // Copies the printer does not make itself are made here, collated
        // unless the dialog asked otherwise.
        int copies = 1;
        if (!printer_->supportsMultipleCopies() && printer_->copyCount() > 1) {
            copies = printer_->copyCount();
            printer_->setCopyCount(1);
        }
        // A range past the report's end would make an empty document, which
        // would replace an older file or reach the printer as a blank job.
        if (from > to) return Fail(NoPagesInRange(pageCount));
        // The printer expects the application to reverse the order itself.
        const bool reverse = printer_->pageOrder() == QPrinter::LastPageFirst;
        std::vector<int> sequence;
        for (int outer = 0; outer < (printer_->collateCopies() ? copies : 1); ++outer) {
            for (int i = 0; i <= to - from; ++i) {
                for (int inner = 0; inner < (printer_->collateCopies() ? 1 : copies); ++inner) {
                    sequence.push_back(reverse ? to - i : from + i);
                }
            }
        }
        // Lines come in page order: page p is lines firstLine[p] up to firstLine[p + 1].
        std::vector<std::size_t> firstLine(static_cast<std::size_t>(pageCount) + 2, lines.size());
        for (std::size_t l = lines.size(); l-- > 0;) {
            firstLine[static_cast<std::size_t>(lines[l].page)] = l;
        }

        pages_ = static_cast<int>(sequence.size());
        QPainter painter;
        if (!painter.begin(&device)) return Fail(QObject::tr("the printer could not be started"));
        for (std::size_t i = 0; i < sequence.size(); ++i) {
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

    std::unique_ptr<QPrinter> printer_;
    QFont font_;
    std::vector<Block> blocks_;
    std::vector<std::unique_ptr<QTextLayout>> layouts_;
    QString failure_;
    int pages_ = 0;  // in the document as sent
    bool finished_ = false;
};

}  // namespace

std::unique_ptr<PrinterService> MakeQtPrinter(std::unique_ptr<QPrinter> printer) {
    return std::make_unique<ReportPrinter>(std::move(printer));
}
