#pragma once

#include <QObject>

class QComboBox;

// What a screen reader hears from a pick-only drop-down list: its purpose (the
// accessible name) and its current entry on focus, and each new entry when a
// key (an arrow, Home, End, a typed letter) changes the closed list. An entry
// may carry a spoken form in Qt::AccessibleTextRole ("inches" for "in"); the
// list still shows its text.
class ComboSpeech : public QObject {
  public:
    // Follows `list`'s key presses; owned by the list.
    static void Attach(QComboBox* list);
    // Gives every pick-only QComboBox the interface that reads its current
    // entry.
    static void InstallAccessibility();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit ComboSpeech(QComboBox* list);
    void SayIfChangedBy(int before);
    QComboBox* list_;
};
