#include "speech/field_accessible.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// Qt's own line-edit interface reports every attribute run as empty; Orca then
// joins the runs and cuts the value's last character ("204.1" for "204.19",
// "1" for "10"). This one is Qt's, with one run over the whole text and the
// whole text as its line.
class FieldAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
  public:
    explicit FieldAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    QString Shown() const { return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : ""; }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value && !Shown().isEmpty()) return Shown();
#if defined(Q_OS_WIN)
        // UI Automation's FullDescription, where Qt puts the description, is
        // read by few Windows screen readers; its HelpText by most.
        if (t == QAccessible::Help) return QAccessibleWidget::text(QAccessible::Description);
#endif
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) return QAccessibleWidget::setText(t, text);
        QString value = text;
        int pos = 0;
        if (edit()->validator() &&
            edit()->validator()->validate(value, pos) != QValidator::Acceptable) {
            return;
        }
        edit()->setText(value);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.readOnly = edit()->isReadOnly();
        s.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        s.selectableText = true;
        return s;
    }

    // QAccessibleTextInterface
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        if (type == QAccessible::LineBoundary || type == QAccessible::NoBoundary) {
            *start = 0;
            *end = characterCount();
            return Shown();
        }
        return QAccessibleTextInterface::textAtOffset(Offset(offset), type, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        return QAccessibleTextInterface::textBeforeOffset(Offset(offset), type, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        return QAccessibleTextInterface::textAfterOffset(Offset(offset), type, start, end);
    }
    QString text(int start, int end) const override { return Shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !edit()->hasSelectedText()) return;
        *start = edit()->selectionStart();
        *end = *start + edit()->selectionLength();
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) edit()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) edit()->setSelection(start, end - start);
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    // Where a character is drawn, from the text's own width and alignment
    // (Qt's private layout is out of reach).
    QRect characterRect(int offset) const override {
        const QString ch = text(offset, offset + 1);
        if (ch.isEmpty()) return {};
        QStyleOptionFrame option;
        option.initFrom(edit());
        const QRect area = edit()
                               ->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit())
                               .marginsRemoved(edit()->textMargins());
        const QFontMetrics metrics(edit()->font());
        const int width = metrics.horizontalAdvance(Shown());
        int left = area.left() + 2;
        if (edit()->alignment() & Qt::AlignRight) left = area.right() - 2 - width;
        if (edit()->alignment() & Qt::AlignHCenter) left = area.center().x() - width / 2;
        const QRect r(left + metrics.horizontalAdvance(Shown().left(offset)),
                      area.center().y() - metrics.height() / 2, metrics.horizontalAdvance(ch),
                      metrics.height());
        return QRect(edit()->mapToGlobal(r.topLeft()), r.size());
    }
    void scrollToSubstring(int start, int end) override {
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }

    // QAccessibleEditableTextInterface
    void deleteText(int start, int end) override {
        edit()->setText(edit()->text().remove(start, end - start));
    }
    void insertText(int offset, const QString& text) override {
        edit()->setText(edit()->text().insert(offset, text));
    }
    void replaceText(int start, int end, const QString& text) override {
        edit()->setText(edit()->text().replace(start, end - start, text));
    }

  private:
    int Offset(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

QAccessibleInterface* FieldFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLineEdit")) return nullptr;
    // An editor inside another control is read through that control.
    QObject* parent = object->parent();
    if (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent)) return nullptr;
    return new FieldAccessible(static_cast<QLineEdit*>(object));
}

}  // namespace

void field_accessible::Install() { QAccessible::installFactory(FieldFactory); }
