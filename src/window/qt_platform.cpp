#include "window/qt_platform.h"

#include <QDesktopServices>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <algorithm>

#include "window/fonts.h"

namespace {

class QtMessages : public MessageService {
  public:
    void ShowMessage(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    }
};

// Draws the report line by line on a QPrinter. The painter starts with the
// first line, so a dialog-only failure leaves no empty job behind.
class QtPrinter : public PrinterService {
  public:
    explicit QtPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    ~QtPrinter() override { Abort(); }

    bool SetFontName(const QString& name) override {
        // A face the machine lacks falls back to the one the window uses.
        font_.setFamily(AvailableFamily(name));
        return true;
    }
    bool SetFontSize(double points) override {
        font_.setPointSizeF(points);
        return true;
    }
    bool SetBold(bool on) override {
        font_.setBold(on);
        return true;
    }
    bool SetItalic(bool on) override {
        font_.setItalic(on);
        return true;
    }

    bool PrintLine(const QString& text) override {
        if (!Begin()) return false;
        painter_.setFont(font_);
        const QFontMetricsF metrics(painter_.font(), printer_.get());
        const QRectF page = printer_->pageLayout().paintRectPixels(printer_->resolution());
        const double width = page.width();
        for (const QString& line : text.split("\r\n")) {
            QString rest = line;
            do {
                const qsizetype cut = FittingPrefix(rest, metrics, width);
                if (!PlaceLine(rest.left(cut), metrics, page.height())) return false;
                rest = rest.mid(cut);
                if (rest.startsWith(' ')) rest.remove(0, 1);  // the blank the line broke at
            } while (!rest.isEmpty());
        }
        return true;
    }

    bool EndDoc() override {
        if (!Begin()) return false;
        const bool ended = painter_.end();
        finished_ = true;
        return ended;
    }

    void Abort() override {
        if (painter_.isActive()) {
            printer_->abort();
            painter_.end();
        }
        finished_ = true;
    }

  private:
    bool Begin() {
        if (finished_) return false;
        if (painter_.isActive()) return true;
        if (!painter_.begin(printer_.get())) {
            finished_ = true;
            return false;
        }
        return true;
    }

    // How many characters of `text` go on one line: all of it when it fits,
    // else up to the last blank that fits, else as many characters as fit
    // (at least one, so a line always makes progress).
    static qsizetype FittingPrefix(const QString& text, const QFontMetricsF& metrics,
                                   double width) {
        if (metrics.horizontalAdvance(text) <= width) return text.size();
        qsizetype low = 1;  // fits by decree
        qsizetype high = text.size();
        while (low + 1 < high) {
            const qsizetype mid = (low + high) / 2;
            (metrics.horizontalAdvance(text.left(mid)) <= width ? low : high) = mid;
        }
        const qsizetype blank = text.lastIndexOf(' ', low);
        return blank > 0 ? blank : low;
    }

    bool PlaceLine(const QString& line, const QFontMetricsF& metrics, double pageHeight) {
        const double height = metrics.lineSpacing();
        if (y_ > 0 && y_ + height > pageHeight) {
            if (!printer_->newPage()) return false;
            y_ = 0;
        }
        painter_.drawText(QPointF(0, y_ + metrics.ascent()), line);
        y_ += height;
        return true;
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    double y_ = 0;
    bool finished_ = false;
};

class QtPrintDialog : public PrintDialogService {
  public:
    // QPrintDialog always reports a cancel as a rejection; nothing to set.
    void SetCancelError(bool) override {}
    void SetCopies(std::int16_t copies) override { copies_ = copies; }
    void SetMinPage(std::int32_t page) override { minPage_ = page; }

    std::unique_ptr<PrinterService> ShowPrinter(QWidget* parent) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setCopyCount(copies_);
        QPrintDialog dialog(printer.get(), parent);
        dialog.setMinMax(minPage_, std::max(minPage_, dialog.maxPage()));
        // Cancel ends the command like any other failure; with the setting
        // off there is still nothing to print on.
        if (dialog.exec() != QDialog::Accepted) return nullptr;
        return MakeQtPrinter(std::move(printer));
    }

  private:
    std::int16_t copies_ = 1;
    std::int32_t minPage_ = 1;
};

class QtBrowserWindow : public BrowserWindow {
  public:
    bool SetVisible(bool) override { return true; }  // the desktop's browser shows itself
    bool Navigate(const QString& address) override {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    }
};

class QtBrowser : public BrowserService {
  public:
    std::unique_ptr<BrowserWindow> OpenWindow() override {
        return std::make_unique<QtBrowserWindow>();
    }
};

}  // namespace

std::unique_ptr<PrinterService> MakeQtPrinter(std::unique_ptr<QPrinter> printer) {
    return std::make_unique<QtPrinter>(std::move(printer));
}

Platform QtPlatform() {
    return {std::make_unique<QtMessages>(), std::make_unique<QtPrintDialog>(),
            std::make_unique<QtBrowser>()};
}
