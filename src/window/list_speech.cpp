#include "window/list_speech.h"

#include <QAccessible>
#include <QListWidget>
#include <QTimer>

ListSpeech::ListSpeech(QListWidget* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
    QAbstractItemModel* model = list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &ListSpeech::Number);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ListSpeech::Number);
    connect(model, &QAbstractItemModel::modelReset, this, &ListSpeech::Number);
}

void ListSpeech::Attach(QListWidget* list) { new ListSpeech(list); }

void ListSpeech::Number() {
    const QString place = QStringLiteral("%1 of %2");
    for (int row = 0; row < list_->count(); ++row) {
        list_->item(row)->setData(Qt::AccessibleDescriptionRole,
                                  place.arg(row + 1).arg(list_->count()));
    }
}

bool ListSpeech::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::FocusIn) {
        // After the reader has taken in the list itself.
        QTimer::singleShot(0, this, &ListSpeech::SayCurrentLine);
    }
    return false;
}

// A reader announces a list taking focus by its name and size only; the
// current line is given to it as the focused child.
void ListSpeech::SayCurrentLine() {
    const int row = list_->currentRow();
    if (row < 0 || !list_->hasFocus() || !QAccessible::isActive()) return;
    QAccessibleEvent focus(list_, QAccessible::Focus);
    focus.setChild(row);
    QAccessible::updateAccessibility(&focus);
}
