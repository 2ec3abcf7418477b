#include "speech/list_speech.h"

#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTimer>
#include <QWindow>

#include "speech/announcer.h"

namespace {

// Time enough for a screen reader to have read a line that became current,
// also on a heavily loaded machine (Orca takes well under a second on an idle
// one, several on a busy one). Any key pressed in the list quietens the line
// sooner, so where-am-I still names the place once.
constexpr std::chrono::milliseconds kHeard{10000};

}  // namespace

// Sees each key pressed in the list before Qt hands it to screen readers:
// Qt's screen-reader bridge takes keys in an application-wide filter, and of
// such filters the one installed last is asked first, so this one installs
// itself anew whenever the list takes the focus.
class ListSpeech::NextKey : public QObject {
  public:
    explicit NextKey(ListSpeech* speech) : QObject(speech), speech_(speech) {}
    void Watch(bool on) {
        qApp->removeEventFilter(this);
        if (on) qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Spontaneous: as typed, not as Qt passes a key on once more. The
        // bridge takes a typed key as it reaches the list's window, before
        // the list.
        QWidget* list = speech_->list_;
        if (event->type() == QEvent::KeyPress && event->spontaneous() && list->hasFocus() &&
            (watched == list || watched == list->window()->windowHandle())) {
            speech_->QuietenCurrentLine();
        }
        return false;
    }

  private:
    ListSpeech* speech_;
};

ListSpeech::ListSpeech(QListWidget* list, Announcer* announcer)
    : QObject(list), list_(list), model_(list->model()), announcer_(announcer) {
    list->installEventFilter(this);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ListSpeech::Number);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &ListSpeech::Number);
    connect(model_, &QAbstractItemModel::modelReset, this, &ListSpeech::Number);
    quieten_ = new QTimer(this);
    quieten_->setSingleShot(true);
    quieten_->setInterval(kHeard);
    connect(quieten_, &QTimer::timeout, this, &ListSpeech::QuietenCurrentLine);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ListSpeech::CurrentMoved);
    nextKey_ = new NextKey(this);
    Number();
}

void ListSpeech::Attach(QListWidget* list, Announcer* announcer) {
    new ListSpeech(list, announcer);
}

QString ListSpeech::Place(int row) const {
    return QStringLiteral("%1 of %2").arg(row + 1).arg(model_->rowCount());
}

// Through the model only: the model empties itself while the list is being
// destroyed.
void ListSpeech::Number() {
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
        model_->setData(model_->index(row, 0), Place(row), Qt::AccessibleDescriptionRole);
    }
    quieten_->start();
}

// A line that stops being current gets its place back for the next move.
void ListSpeech::CurrentMoved(const QModelIndex&, const QModelIndex& previous) {
    if (previous.isValid()) Describe(previous.row(), Place(previous.row()));
    quieten_->start();
}

// Sets a line's description and tells the reader, which would otherwise keep
// the description it read before.
void ListSpeech::Describe(int row, const QString& text) {
    const QModelIndex index = model_->index(row, 0);
    if (!index.isValid() || index.data(Qt::AccessibleDescriptionRole).toString() == text) return;
    model_->setData(index, text, Qt::AccessibleDescriptionRole);
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(list_);
    QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
    if (QAccessibleInterface* line = table ? table->cellAt(row, 0) : nullptr) {
        QAccessibleEvent changed(line, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

// The reader has said the current line with its place by now (the user
// pressed another key, or time enough has passed); "where am I" names the
// place itself and would say it twice.
void ListSpeech::QuietenCurrentLine() {
    const int row = list_->currentRow();
    if (row >= 0) Describe(row, QString());
}

bool ListSpeech::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_) return false;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        nextKey_->Watch(event->type() == QEvent::FocusIn);
    }
    if (event->type() == QEvent::FocusIn) {
        // After the reader has taken in the list itself.
        QTimer::singleShot(0, this, &ListSpeech::SayCurrentLine);
    } else if (event->type() == QEvent::KeyPress) {
        const QPersistentModelIndex current = list_->currentIndex();
        const bool selected = list_->selectionModel()->isSelected(current);
        QTimer::singleShot(0, this, [this, current, selected] {
            if (current.isValid() && current == list_->currentIndex() && !selected &&
                list_->selectionModel()->isSelected(current)) {
                announcer_->LineSelected(current.data().toString(), Place(current.row()));
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
    Describe(row, Place(row));
    quieten_->start();
    QAccessibleEvent focus(list_, QAccessible::Focus);
    focus.setChild(row);
    QAccessible::updateAccessibility(&focus);
}
