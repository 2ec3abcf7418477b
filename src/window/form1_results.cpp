// The results list, the printed report and the two web links.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <stdexcept>
#include <string>
#include <vector>

#include "form/provider.h"
#include "form/texts.h"
#include "results/report.h"
#include "results/result_line.h"
#include "speech/announcer.h"
#include "window/form1.h"
#include "window/results_list.h"

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

bool Run(PrinterService& printer, const results::PrintOp& op) {
    using Kind = results::PrintOp::Kind;
    switch (op.kind) {
        case Kind::FontName:
            return printer.SetFontName(ToQString(op.text));
        case Kind::FontSize:
            return printer.SetFontSize(op.size);
        case Kind::Bold:
            return printer.SetBold(op.on);
        case Kind::Italic:
            return printer.SetItalic(op.on);
        case Kind::Print:
            return printer.PrintLine(ToQString(op.text));
        case Kind::EndDoc:
            return printer.EndDoc();
    }
    return false;
}

class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { Restore(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void Restore() {
        if (active_) QGuiApplication::restoreOverrideCursor();
        active_ = false;
    }

  private:
    bool active_ = true;
};

}  // namespace

void Form1::ConnectResultShortcuts() {
    // Ctrl+C in the list copies the selected line, as in any desktop list.
    auto* copy = new QShortcut(QKeySequence::Copy, lstResults);
    copy->setContext(Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, &Form1::CopySelectedResult);
    // Delete removes the selected line, as Remove Result does.
    auto* remove = new QShortcut(QKeySequence::Delete, lstResults);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &Form1::RemoveResult);
}

void Form1::CopySelectedResult() {
    const int row = lstResults->currentRow();
    if (row >= 0 && lstResults->item(row)->isSelected()) {
        QApplication::clipboard()->setText(lstResults->item(row)->text());
    }
}

results::StoreSnapshot Form1::TakeStoreSnapshot() const {
    const std::size_t alloyRow = static_cast<std::size_t>(cmbAlloy->currentIndex() + 1);
    results::StoreSnapshot snapshot{
        strAlloys.at(alloyRow)[1].toStdString(),
        strShapes.at(static_cast<std::size_t>(GetShapeID())).toStdString(),
        {},
        txtNumPieces->text().toStdString(),
        txtResult->text().toStdString(),
        DecimalSeparator()};
    for (int i = 0; i < kSlots; ++i) {
        if (txtParam[i]->isHidden()) continue;
        snapshot.shownSlots.push_back(
            {lblParam[i]->text().toStdString(), txtParam[i]->text().toStdString(),
             strUnits.at(static_cast<std::size_t>(cmbUnits[i]->currentIndex())).toStdString()});
    }
    return snapshot;
}

void Form1::StoreResult() {
    const results::StoreOutcome outcome =
        results::ComposeResultLine(TakeStoreSnapshot(), lastCalculation_);
    if (outcome.message) {
        platform_.messages->ShowMessage(this, ToQString(outcome.message->text),
                                        ToQString(outcome.message->title));
        return;
    }
    lstResults->addItem(ToQString(*outcome.line));
    announcer_->ResultStored(lstResults->count());
}

void Form1::RemoveResult() {
    const int row = lstResults->currentRow();
    if (row < 0 || !lstResults->item(row)->isSelected()) {
        const calc::Message message = results::NothingSelectedMessage();
        platform_.messages->ShowMessage(this, ToQString(message.text), ToQString(message.title));
        return;
    }
    lstResults->RemoveLine(row);
    announcer_->ResultRemoved(lstResults->count());
}

void Form1::PrintResults() {
    CommonDialogPrint->SetCancelError(true);
    CommonDialogPrint->SetCopies(1);
    CommonDialogPrint->SetMinPage(1);
    const std::unique_ptr<PrinterService> printer = CommonDialogPrint->ShowPrinter(this);
    if (!printer) {
        // Nothing printed and nothing shown; a screen reader is told, since
        // a print and a cancel otherwise sound the same.
        announcer_->PrintingCancelled();
        return;
    }

    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(lstResults->count()));
    for (int i = 0; i < lstResults->count(); ++i) {
        lines.push_back(lstResults->item(i)->text().toStdString());
    }
    const results::ReportIdentity who = form::ReportIdentity();
    BusyCursor busy;  // a long report takes a moment to draw
    for (const results::PrintOp& op : results::BuildReport(lines, who)) {
        if (!Run(*printer, op)) {
            printer->Abort();  // a job that failed part way is not sent half done
            if (printer->HowEnded() == PrinterService::Ending::Cancelled) {
                announcer_->PrintingCancelled();  // as asked: nothing shown
                return;
            }
            // A report that looks written but is not would be trusted.
            const std::string reason = printer->FailureReason().toStdString();
            const calc::Message message = printer->HowEnded() == PrinterService::Ending::Unconfirmed
                                              ? results::PrintUnconfirmedMessage(reason)
                                              : results::PrintFailedMessage(reason);
            busy.Restore();
            platform_.messages->ShowMessage(this, ToQString(message.text),
                                            ToQString(message.title));
            return;
        }
    }
    announcer_->ReportPrinted(printer->PageCount(), printer->OutputFile(), printer->QueueName());
}

void Form1::OpenLink(const QString& address) {
    if (!browserWindow_) browserWindow_ = platform_.browser->OpenWindow();
    if (browserWindow_ && browserWindow_->SetVisible(true) && browserWindow_->Navigate(address)) {
        return;
    }
    browserWindow_.reset();  // a window that no longer works is replaced next time
    // Told, not silent; the calculator goes on, and the focus goes back to the link.
    const calc::Message message = calc::LinkFailedMessage(address.toStdString());
    platform_.messages->ShowMessage(this, ToQString(message.text), ToQString(message.title));
}

void Form1::cmdStoreResult_Click() { StoreResult(); }

void Form1::cmdDeleteResult_Click() { RemoveResult(); }

void Form1::cmdPrint_Click() { PrintResults(); }

void Form1::lblCompURL_Click() { OpenLink(provider::kDistributorWeb); }

void Form1::lblAuthorInfo2_Click() { OpenLink(provider::kAuthorWeb); }
