#include "speech/list_speech.h"

#include <QAccessible>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTimer>

#include "speech/announcer.h"

ListSpeech::ListSpeech(QListWidget* list, Announcer* announcer)
    : QObject(list), list_(list), model_(list->model()), announcer_(announcer) {
    list->installEventFilter(this);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ListSpeech::Number);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &ListSpeech::Number);
    connect(model_, &QAbstractItemModel::modelReset, this, &ListSpeech::Number);
    Number();
}

void ListSpeech::Attach(QListWidget* list, Announcer* announcer) {
    new ListSpeech(list, announcer);
}

// Through the model only: the model empties itself while the list is being
// destroyed.
void ListSpeech::Number() {
    const QString place = QStringLiteral("%1 of %2");
    const int count = model_->rowCount();
    // An empty list is otherwise announced as a bare "list". Queued: a list
    // being destroyed is no longer told anything, as this object goes with it.
    QMetaObject::invokeMethod(
        this,
        [this, count] {
            list_->setAccessibleDescription(count == 0 ? QStringLiteral("no stored results")
                                                       : QString());
        },
        Qt::QueuedConnection);
    for (int row = 0; row < count; ++row) {
        model_->setData(model_->index(row, 0), place.arg(row + 1).arg(count),
                        Qt::AccessibleDescriptionRole);
    }
}

bool ListSpeech::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_) return false;
    if (event->type() == QEvent::FocusIn) {
        // After the reader has taken in the list itself.
        QTimer::singleShot(0, this, &ListSpeech::SayCurrentLine);
    } else if (event->type() == QEvent::KeyPress) {
        const QPersistentModelIndex current = list_->currentIndex();
        const bool selected = list_->selectionModel()->isSelected(current);
        QTimer::singleShot(0, this, [this, current, selected] {
            if (current.isValid() && current == list_->currentIndex() && !selected &&
                list_->selectionModel()->isSelected(current)) {
                announcer_->LineSelected(current.data().toString(),
                                         current.data(Qt::AccessibleDescriptionRole).toString());
            }
        });
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
