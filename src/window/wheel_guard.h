#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

// Keeps the mouse wheel from changing a drop-down list that does not have
// focus: scrolling over the window must not change an alloy, a form or a unit
// behind the user's back. A focused list takes the wheel as usual.
class WheelGuard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
            !static_cast<QWidget*>(watched)->hasFocus()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
