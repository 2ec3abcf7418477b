#pragma once

#include <QObject>

class Announcer;
class QAbstractItemModel;
class QListWidget;
class QModelIndex;
class QTimer;

// What a screen reader hears from a list: its current line on focus and on
// every move, with the line's place ("1 of 2") as the line's description, so
// it is heard without the reader's own position setting. The current line
// gives up its place at the next key pressed in the list, before the reader
// learns of that key: "where am I" names the place itself and would
// otherwise say it twice. A key that selects the current line without moving
// (the list's first arrow key) is no move for the reader: the announcer says
// the line is selected.
class ListSpeech : public QObject {
  public:
    // Follows `list`'s focus and lines; owned by the list.
    static void Attach(QListWidget* list, Announcer* announcer);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class NextKey;
    ListSpeech(QListWidget* list, Announcer* announcer);
    QString Place(int row) const;  // "1 of 2"
    void Number();
    void CurrentMoved(const QModelIndex& current, const QModelIndex& previous);
    void Describe(int row, const QString& text);
    void QuietenCurrentLine();
    void SayCurrentLine();
    QListWidget* list_;
    QAbstractItemModel* model_;
    Announcer* announcer_;
    QTimer* quieten_;
    NextKey* nextKey_;
};
