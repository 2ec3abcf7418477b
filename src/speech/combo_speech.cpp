#include "speech/combo_speech.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>

namespace {

QString Spoken(const QComboBox* list, int row) {
    const QString word = list->itemData(row, Qt::AccessibleTextRole).toString();
    return word.isEmpty() ? list->itemText(row) : word;
}

// Orca takes a drop-down list's value from its selected child or, failing
// that, from its text. Qt 6.4's bridge to AT-SPI offers no selection at all
// and Qt's own list interface no text, so Orca said the name and no entry.
// This one reads the current entry as a read-only one-line text.
class ComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ComboAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    QString Current() const { return Spoken(list(), list()->currentIndex()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Current();
        // A tooltip that repeats the entry (the alloy list's) is not read twice.
        const QString other = QAccessibleWidget::text(t);
        return t == QAccessible::Description && other == list()->currentText() ? QString() : other;
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        return s;
    }

    // Read-only text: the current entry, one line, no attributes.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return Current().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Current().size()); }
    // Flat review reads the entry where the list stands.
    QRect characterRect(int offset) const override {
        return offset >= 0 && offset < characterCount() ? rect() : QRect();
    }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    QString textAtOffset(int, QAccessible::TextBoundaryType, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return Current();
    }
};

QAccessibleInterface* ComboFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QComboBox")) return nullptr;
    auto* list = static_cast<QComboBox*>(object);
    return list->isEditable() ? nullptr : new ComboAccessible(list);
}

}  // namespace

void ComboSpeech::InstallAccessibility() { QAccessible::installFactory(ComboFactory); }

ComboSpeech::ComboSpeech(QComboBox* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
}

void ComboSpeech::Attach(QComboBox* list) { new ComboSpeech(list); }

bool ComboSpeech::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        // The list handles the key after this filter; its new entry is read
        // once it has.
        const int before = list_->currentIndex();
        QTimer::singleShot(0, this, [this, before] { SayIfChangedBy(before); });
    }
    return false;
}

// A screen reader ignores a closed list's value change; the new entry is
// given to it as the focused entry of the list's popup, as if it were open.
// Only for a key on the closed, focused list: a pick from the open popup is
// already read there.
void ComboSpeech::SayIfChangedBy(int before) {
    const int row = list_->currentIndex();
    if (row == before || row < 0 || !list_->hasFocus() || list_->view()->isVisible()) return;
    if (!QAccessible::isActive()) return;
    QAccessibleEvent focus(list_->view(), QAccessible::Focus);
    focus.setChild(row);
    QAccessible::updateAccessibility(&focus);
}
