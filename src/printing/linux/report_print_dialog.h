#pragma once

#include <QDialog>
#include <QMarginsF>
#include <QString>
#include <QTimer>

#include "printing/linux/server_printers.h"

class Announcer;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// What the user chose in the print dialog; the dialog opens on the last
// choices made for the window.
struct PrintChoices {
    bool made = false;  // false: nothing chosen yet, the server's default printer first
    QString printer;    // a queue; empty: Print to File (PDF)
    QString fileName;
    int copies = 1;
    bool collate = true;
    bool reverse = false;
    bool range = false;  // only pages `from` to `to`
    int from = 1;
    int to = 1;
    // IPP keywords; empty or not offered: the printer's default.
    QString media;
    QString sides;
    QString colour;
};

// The print dialog on Linux. Everything it shows of the print server comes
// from a question asked on a thread of its own (ServerPrinterQuery), so the
// dialog never waits on the server: meanwhile it says what it waits for and
// prints to a PDF file; a server silent past the time limit is told in it.
// Its controls carry the object names of Qt's own print dialog (`printers`,
// `filename`, `fileBrowser`, `printAll`, `printRange`, `from`, `to`,
// `copies`, `collate`, `reverse`), and the printer's options are
// `paperSize`, `duplex` and `colorMode`. accept() takes what it shows, once
// a PDF file's name is one that can be written.
class ReportPrintDialog : public QDialog {
  public:
    ReportPrintDialog(const PrintChoices& last, int minPage, const QString& defaultFile,
                      QWidget* parent);
    ~ReportPrintDialog() override;

    // Gives a print server that answers at once the time to do so before the
    // dialog shows, so that it opens on the printer it will print to rather
    // than changing under a screen reader's first words. The window repaints
    // meanwhile; input waits.
    void AwaitServer(int ms);

    PrintChoices Chosen() const;
    // The least margins the chosen printer prints within, in millimetres.
    QMarginsF LeastMargins() const;

    void accept() override;

  protected:
    bool event(QEvent* event) override;

  private:
    void Look();
    void ShowPrinters(const ServerPrinters& found);
    void PrinterChosen();
    void ChooseFile();
    void TellServer(ServerPrinters::State state);
    const ServerPrinter* ChosenPrinter() const;

    PrintChoices last_;
    ServerPrinterQuery query_;
    ServerPrinters known_;
    QTimer look_;
    bool picked_ = false;  // the user chose a printer before the list came
    bool toldSilence_ = false;
    bool focusFileOnReturn_ = false;
    QFormLayout* form_;
    QComboBox* printers_;
    QLabel* serverStatus_;
    QLineEdit* filename_;
    QPushButton* fileBrowser_;
    QRadioButton* printAll_;
    QRadioButton* printRange_;
    QSpinBox* from_;
    QSpinBox* to_;
    QSpinBox* copies_;
    QCheckBox* collate_;
    QCheckBox* reverse_;
    QComboBox* paperSize_;
    QComboBox* duplex_;
    QComboBox* colorMode_;
    std::unique_ptr<Announcer> announcer_;
};
