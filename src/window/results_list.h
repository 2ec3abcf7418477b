#pragma once

#include <QListWidget>

// The results list, with a focus that can be seen: a frame round the list
// while it has keyboard focus (also when it is empty) and an outline round
// the current line, both in a colour that stands out at least 3:1 from the
// list's background. The outline is dashed while the current line is not
// selected, so it never passes for a selection. The first arrow key, Home or
// End with no line selected selects the outlined line, where Qt would move
// on from it unselected (or, on the last line, do nothing). A screen reader is
// told of the current line and the selection only while the list has focus.
class ResultsList : public QListWidget {
  public:
    explicit ResultsList(QWidget* parent = nullptr);

    // Removes a line and leaves none current or selected, without telling a
    // screen reader of the line that would have become current on the way
    // (Delete in the list keeps the focus there): what the removal did is
    // said first, by whoever removed it.
    void RemoveLine(int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    bool Speaks() const { return hasFocus() && !removing_; }
    bool removing_ = false;
};
