#pragma once

#include <QObject>
#include <memory>

class Announcer;
class QAbstractButton;
class QDialog;

// What a screen reader hears in Qt's own print dialog, found by the object
// names Qt gives its controls: the page range's two boxes ("Pages from",
// "to"), the output file's "..." button ("Choose output file") and the unit
// box of the Properties dialog ("Units") get names; Options says whether it
// showed or hid the options; Return on the "..." button opens the file
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
    void SayOptions();
    QDialog* dialog_;
    QAbstractButton* fileBrowser_;
    std::unique_ptr<Announcer> announcer_;
};
