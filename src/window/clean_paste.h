#pragma once

#include <QObject>

class QLineEdit;

// Every way text comes into a one-line field from outside (Ctrl+V or
// Shift+Insert, the context menu's Paste, a middle click, a drop) takes only
// OneLineOf that text, inserted as one undo step of its own, as a plain paste
// is; when nothing is left of it, the field stays as it was. Typed text that
// OneLineOf would change is cleaned the same way before the field inserts it.
// (Cleaning it afterwards, in the validator, would wipe the field's undo
// history.) A drop from elsewhere is always a copy, so the program the text
// came from keeps it.
class CleanPaste : public QObject {
  public:
    using QObject::QObject;
    void Watch(QLineEdit* field);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
