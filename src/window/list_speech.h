#pragma once

#include <QObject>

class QAbstractItemModel;
class QListWidget;

// What a screen reader hears from a list: its current line on focus and on
// every move, with the line's place ("1 of 2") as the line's description, so
// it is heard without the reader's own position setting.
class ListSpeech : public QObject {
  public:
    // Follows `list`'s focus and lines; owned by the list.
    static void Attach(QListWidget* list);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit ListSpeech(QListWidget* list);
    void Number();
    void SayCurrentLine();
    QListWidget* list_;
    QAbstractItemModel* model_;
};
