#include "printing/linux/report_print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <chrono>
#include <thread>

#include "printing/linux/job_options.h"
#include "speech/announcer.h"

namespace {

// How long the dialog waits to hear from the print server before it says
// that the server is silent.
constexpr int kServerSeconds = 3;
constexpr int kLookMs = 50;
constexpr int kMostPages = 9999;
constexpr int kAwaitTickMs = 5;

// Why a PDF file of that name cannot be written; empty when it can.
QString FileProblem(const QString& name) {
    if (name.trimmed().isEmpty()) return QObject::tr("Type the name of the PDF file to print to.");
    const QFileInfo file(name);
    if (file.isDir()) return QObject::tr("%1 is a folder. Type the name of a file.").arg(name);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) return QObject::tr("The folder %1 does not exist.").arg(folder.filePath());
    if (file.exists() ? !file.isWritable() : !folder.isWritable()) {
        return QObject::tr("%1 cannot be written.").arg(name);
    }
    return {};
}

// Fills `list` with `keywords` shown as `text` says, choosing `wanted` where
// offered, else `fallback`; hides its row when there is nothing to choose.
void Offer(QFormLayout* form, QComboBox* list, const QStringList& keywords,
           QString (*text)(const QString&), const QString& wanted, const QString& fallback) {
    list->clear();
    for (const QString& keyword : keywords) list->addItem(text(keyword), keyword);
    int at = list->findData(wanted);
    if (at < 0) at = list->findData(fallback);
    list->setCurrentIndex(std::max(at, 0));
    form->setRowVisible(list, keywords.size() > 1);
}

}  // namespace

ReportPrintDialog::ReportPrintDialog(const PrintChoices& last, int minPage,
                                     const QString& defaultFile, QWidget* parent)
    : QDialog(parent),
      last_(last),
      query_(kServerSeconds * 1000),
      form_(new QFormLayout),
      printers_(new QComboBox),
      serverStatus_(new QLabel),
      filename_(new QLineEdit),
      fileBrowser_(new QPushButton(tr("..."))),
      printAll_(new QRadioButton(tr("&All pages"))),
      printRange_(new QRadioButton(tr("Pages f&rom"))),
      from_(new QSpinBox),
      to_(new QSpinBox),
      copies_(new QSpinBox),
      collate_(new QCheckBox(tr("C&ollate"))),
      reverse_(new QCheckBox(tr("Re&verse order"))),
      paperSize_(new QComboBox),
      duplex_(new QComboBox),
      colorMode_(new QComboBox),
      announcer_(std::make_unique<Announcer>(this)) {
    setWindowTitle(tr("Print"));
    printers_->setObjectName("printers");
    serverStatus_->setObjectName("serverStatus");
    filename_->setObjectName("filename");
    fileBrowser_->setObjectName("fileBrowser");
    printAll_->setObjectName("printAll");
    printRange_->setObjectName("printRange");
    from_->setObjectName("from");
    to_->setObjectName("to");
    copies_->setObjectName("copies");
    collate_->setObjectName("collate");
    reverse_->setObjectName("reverse");
    paperSize_->setObjectName("paperSize");
    duplex_->setObjectName("duplex");
    colorMode_->setObjectName("colorMode");

    printers_->addItem(tr("Print to File (PDF)"), QString());
    serverStatus_->setWordWrap(true);
    serverStatus_->setTextFormat(Qt::PlainText);
    form_->addRow(tr("&Printer:"), printers_);
    form_->addRow(QString(), serverStatus_);

    filename_->setText(last.fileName.isEmpty() ? defaultFile : last.fileName);
    fileBrowser_->setMaximumWidth(3 * fileBrowser_->fontMetrics().height());
    auto* file = new QHBoxLayout;
    file->addWidget(filename_, 1);
    file->addWidget(fileBrowser_);
    auto* fileLabel = new QLabel(tr("Output &file:"));
    fileLabel->setBuddy(filename_);
    form_->addRow(fileLabel, file);

    auto* pages = new QHBoxLayout;
    pages->addWidget(printAll_);
    pages->addWidget(printRange_);
    pages->addWidget(from_);
    pages->addWidget(new QLabel(tr("to")));
    pages->addWidget(to_);
    pages->addStretch();
    form_->addRow(tr("Pages:"), pages);
    for (QSpinBox* page : {from_, to_}) page->setRange(minPage, kMostPages);
    from_->setValue(std::max(minPage, last.from));
    to_->setValue(std::max(minPage, last.to));
    (last.range ? printRange_ : printAll_)->setChecked(true);
    const auto rangeShown = [this] {
        from_->setEnabled(printRange_->isChecked());
        to_->setEnabled(printRange_->isChecked());
    };
    connect(printRange_, &QRadioButton::toggled, this, rangeShown);
    rangeShown();

    auto* copies = new QHBoxLayout;
    copies->addWidget(copies_);
    copies->addWidget(collate_);
    copies->addWidget(reverse_);
    copies->addStretch();
    auto* copiesLabel = new QLabel(tr("&Copies:"));
    copiesLabel->setBuddy(copies_);
    form_->addRow(copiesLabel, copies);
    copies_->setRange(1, kMostPages);
    copies_->setValue(last.copies);
    collate_->setChecked(last.collate);
    reverse_->setChecked(last.reverse);

    form_->addRow(tr("Paper &size:"), paperSize_);
    form_->addRow(tr("&Two-sided:"), duplex_);
    form_->addRow(tr("Co&lour:"), colorMode_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Print"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* whole = new QVBoxLayout(this);
    // Grows to show the whole note on the server when it comes.
    whole->setSizeConstraint(QLayout::SetMinimumSize);
    whole->addLayout(form_);
    whole->addWidget(buttons);

    // Controls with a label of their own are named by it; these have none
    // or share one.
    printers_->setAccessibleName(tr("Printer"));
    copies_->setAccessibleName(tr("Copies"));
    filename_->setAccessibleName(tr("Output file"));
    paperSize_->setAccessibleName(tr("Paper size"));
    duplex_->setAccessibleName(tr("Two-sided"));
    colorMode_->setAccessibleName(tr("Colour"));

    connect(fileBrowser_, &QPushButton::clicked, this, &ReportPrintDialog::ChooseFile);
    connect(printers_, &QComboBox::activated, this, [this] { picked_ = true; });
    connect(printers_, &QComboBox::currentIndexChanged, this, &ReportPrintDialog::PrinterChosen);
    PrinterChosen();

    connect(&look_, &QTimer::timeout, this, &ReportPrintDialog::Look);
    look_.start(kLookMs);
    Look();
}

ReportPrintDialog::~ReportPrintDialog() = default;

void ReportPrintDialog::AwaitServer(int ms) {
    QElapsedTimer waited;
    waited.start();
    while (query_.Now().state == ServerPrinters::State::Asking && waited.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(kAwaitTickMs));
    }
    Look();
}

void ReportPrintDialog::Look() {
    const ServerPrinters now = query_.Now();
    if (now.state == known_.state) return;
    known_ = now;
    TellServer(now.state);
    if (now.state == ServerPrinters::State::Answered) ShowPrinters(now);
    if (now.state == ServerPrinters::State::Answered ||
        now.state == ServerPrinters::State::NoServer) {
        look_.stop();
    }
}

void ReportPrintDialog::TellServer(ServerPrinters::State state) {
    QString text;
    switch (state) {
        case ServerPrinters::State::Asking:
            text = tr("Asking the print server for its printers...");
            break;
        case ServerPrinters::State::Silent:
            text = tr("The print server did not answer within %1 seconds, so its printers "
                      "cannot be listed. The report can still be printed to a PDF file.")
                       .arg(kServerSeconds);
            announcer_->DialogNote(text);
            toldSilence_ = true;
            break;
        case ServerPrinters::State::Answered:
        case ServerPrinters::State::NoServer:
            break;
    }
    serverStatus_->setText(text);
    form_->setRowVisible(serverStatus_, !text.isEmpty());
    // A wrapped label gets the height of its lines in the width of the
    // column only when asked; the dialog then grows to fit.
    serverStatus_->setMinimumHeight(
        text.isEmpty() ? 0 : serverStatus_->heightForWidth(printers_->width()));
}

void ReportPrintDialog::ShowPrinters(const ServerPrinters& found) {
    const QString shown = printers_->currentData().toString();
    const QSignalBlocker quiet(printers_);
    for (int i = 0; i < static_cast<int>(found.printers.size()); ++i) {
        printers_->insertItem(i, found.printers[static_cast<std::size_t>(i)].name,
                              found.printers[static_cast<std::size_t>(i)].name);
    }
    // The last printer chosen for this window, else the server's default;
    // not when the user has already picked one, nor once the dialog has said
    // the server is silent (the user may be about to print to the file shown).
    QString wanted = shown;
    if (!picked_ && !toldSilence_) wanted = last_.made ? last_.printer : found.defaultName;
    const int at = printers_->findData(wanted);
    printers_->setCurrentIndex(at >= 0 ? at : printers_->findData(shown));
    PrinterChosen();
}

const ServerPrinter* ReportPrintDialog::ChosenPrinter() const {
    const QString name = printers_->currentData().toString();
    for (const ServerPrinter& printer : known_.printers) {
        if (printer.name == name) return &printer;
    }
    return nullptr;
}

void ReportPrintDialog::PrinterChosen() {
    const ServerPrinter* printer = ChosenPrinter();
    const bool toFile = printers_->currentData().toString().isEmpty();
    filename_->setEnabled(toFile);
    fileBrowser_->setEnabled(toFile);
    // Choices kept from the last print where this printer offers them.
    const auto current = [](QComboBox* list, const QString& kept) {
        return list->count() > 0 ? list->currentData().toString() : kept;
    };
    const QString media = current(paperSize_, last_.media);
    const QString sides = current(duplex_, last_.sides);
    const QString colour = current(colorMode_, last_.colour);
    if (printer) {
        Offer(form_, paperSize_, printer->media, MediaText, media, printer->mediaDefault);
        Offer(form_, duplex_, printer->sides, SidesText, sides, printer->sidesDefault);
        Offer(form_, colorMode_, printer->colourModes, ColourText, colour, printer->colourDefault);
    } else {
        Offer(form_, paperSize_, FileMedia(), MediaText, media, FileMediaDefault());
        Offer(form_, duplex_, {}, SidesText, {}, {});
        Offer(form_, colorMode_, {}, ColourText, {}, {});
    }
}

void ReportPrintDialog::ChooseFile() {
    QFileDialog chooser(this, tr("Choose Output File"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setNameFilter(tr("PDF files (*.pdf)"));
    chooser.setDefaultSuffix("pdf");
    const QFileInfo now(filename_->text());
    chooser.setDirectory(now.absolutePath());
    chooser.selectFile(now.fileName());
    // The name goes into the field while the chooser is still the active
    // window: changed once the dialog is back, the field would become a
    // reader's focus by its caret alone and be read without its name.
    connect(&chooser, &QFileDialog::fileSelected, filename_,
            [this](const QString& file) { filename_->setText(QDir::toNativeSeparators(file)); });
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    // Back in the field, a screen reader reads the file chosen: once the
    // dialog is active again, or a reader takes the focus for part of the
    // dialog's coming back and drops the field's name.
    if (isActiveWindow()) {
        filename_->setFocus(Qt::OtherFocusReason);
    } else {
        focusFileOnReturn_ = true;
    }
}

bool ReportPrintDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && focusFileOnReturn_) {
        focusFileOnReturn_ = false;
        QTimer::singleShot(0, filename_, [this] { filename_->setFocus(Qt::OtherFocusReason); });
    }
    return QDialog::event(event);
}

PrintChoices ReportPrintDialog::Chosen() const {
    PrintChoices chosen;
    chosen.made = true;
    chosen.printer = printers_->currentData().toString();
    chosen.fileName = filename_->text();
    chosen.copies = copies_->value();
    chosen.collate = collate_->isChecked();
    chosen.reverse = reverse_->isChecked();
    chosen.range = printRange_->isChecked();
    chosen.from = from_->value();
    chosen.to = to_->value();
    const auto keyword = [this](QComboBox* list) {
        return form_->isRowVisible(list) ? list->currentData().toString() : QString();
    };
    chosen.media = paperSize_->currentData().toString();
    chosen.sides = keyword(duplex_);
    chosen.colour = keyword(colorMode_);
    return chosen;
}

QMarginsF ReportPrintDialog::LeastMargins() const {
    const ServerPrinter* printer = ChosenPrinter();
    return printer ? printer->leastMargins : QMarginsF();
}

void ReportPrintDialog::accept() {
    if (printers_->currentData().toString().isEmpty()) {
        const QString problem = FileProblem(filename_->text());
        if (!problem.isEmpty()) {
            QMessageBox box(this);
            box.setWindowTitle(tr("Print"));
            box.setTextFormat(Qt::PlainText);
            box.setText(problem);
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            filename_->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    QDialog::accept();
}
