#pragma once

#include <QObject>
#include <memory>

class Announcer;
class QAbstractButton;
class QDialog;

// What a screen reader hears in a print dialog that uses the object names of
// Qt's own (Qt's, and the program's on Linux): the page range's two boxes
// ("Pages from", "to"), the output file's "..." button ("Choose output
// file") and the unit box of Qt's Properties dialog ("Units") get names; the
// drop-down lists say the entry an arrow key brings; Return on the "..."
// button opens the file
// chooser rather than printing at once to the file name shown.
class PrintDialogSpeech : public QObject {
  public:
    // Follows `dialog`; owned by it. Controls it lacks are left alone.
    static void Attach(QDialog* dialog);
    ~PrintDialogSpeech() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit PrintDialogSpeech(QDialog* dialog);
    void NameControls(QObject* within);
    QDialog* dialog_;
    QAbstractButton* fileBrowser_;
    std::unique_ptr<Announcer> announcer_;
};
