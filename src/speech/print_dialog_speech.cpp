#include "speech/print_dialog_speech.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>

#include "speech/announcer.h"
#include "speech/combo_speech.h"

namespace {

// Qt's names for the controls, and what a reader should call them. The page
// boxes would both be "Print range", the file button "...", the unit box
// nothing at all.
struct Named {
    const char* object;
    const char* name;
};
constexpr Named kNames[] = {
    {"from", "Pages from"},
    {"to", "to"},
    {"fileBrowser", "Choose output file"},
    {"unitCombo", "Units"},  // in the Properties dialog, made when first opened
};

}  // namespace

PrintDialogSpeech::PrintDialogSpeech(QDialog* dialog)
    : QObject(dialog),
      dialog_(dialog),
      fileBrowser_(dialog->findChild<QAbstractButton*>("fileBrowser")),
      announcer_(std::make_unique<Announcer>(dialog)) {
    NameControls(dialog);
    // The printer list and the option lists say each entry an arrow key
    // brings, like the window's own lists.
    for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
        if (!list->isEditable()) ComboSpeech::Attach(list);
    }
    dialog->installEventFilter(this);
    if (fileBrowser_) fileBrowser_->installEventFilter(this);
}

PrintDialogSpeech::~PrintDialogSpeech() = default;

void PrintDialogSpeech::Attach(QDialog* dialog) { new PrintDialogSpeech(dialog); }

void PrintDialogSpeech::NameControls(QObject* within) {
    for (const Named& n : kNames) {
        for (QWidget* control : within->findChildren<QWidget*>(n.object)) {
            control->setAccessibleName(n.name);
        }
    }
}

bool PrintDialogSpeech::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_ && event->type() == QEvent::ChildPolished) {
        // The Properties dialog, a child made on first use, as it is shown.
        NameControls(static_cast<QChildEvent*>(event)->child());
    } else if (watched == fileBrowser_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            fileBrowser_->click();
            return true;
        }
    }
    return false;
}
