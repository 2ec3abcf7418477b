#pragma once

#include <QFontMetrics>
#include <QGroupBox>
#include <QPainter>

// A captioned frame drawn as designed: one thin border whose top line runs
// through the middle of the caption. Painted directly, so the window needs no
// style sheet (which would restyle every control at start-up).
class Frame : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int line = metrics.height() / 2;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, line, -1, -1));
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }
};
