#pragma once

#include <QListWidget>

// The results list, with a focus that can be seen: a frame round the list
// while it has keyboard focus (also when it is empty) and a solid outline
// round the current line, both in a colour that stands out at least 3:1 from
// the list's background.
class ResultsList : public QListWidget {
  public:
    explicit ResultsList(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};
