#include "window/clean_paste.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "window/one_line_validator.h"

namespace {

// Moving the cursor is what closes an undo step of a line edit; moving it
// away and back closes the one before the insert, and again the insert itself.
void CloseUndoStep(QLineEdit* field) {
    if (field->hasSelectedText() || field->text().isEmpty()) return;
    const int at = field->cursorPosition();
    field->setCursorPosition(at > 0 ? at - 1 : at + 1);
    field->setCursorPosition(at);
}

// Nothing left of the text changes nothing: the selection stays.
void InsertAsOneStep(QLineEdit* field, const QString& text) {
    if (text.isEmpty()) return;
    CloseUndoStep(field);
    field->insert(text);
    CloseUndoStep(field);
}

void PasteInto(QLineEdit* field, QClipboard::Mode mode) {
    InsertAsOneStep(field, OneLineOf(QGuiApplication::clipboard()->text(mode)));
}

// A typed key whose text cleaning changes (a no-break space) reaches the
// field with the clean text instead, so the field inserts it as any typed text
// and keeps its undo history; a key that types nothing visible (a zero-width
// non-joiner, which a Persian layout types with Shift+Space) does nothing.
// Keys whose text is a control character (Backspace, Return, Tab, Ctrl with a
// letter) are commands and stay as they are.
bool TypeCleaned(QLineEdit* field, QKeyEvent* key) {
    const QString typed = key->text();
    if (typed.isEmpty() || typed.front().category() == QChar::Other_Control) return false;
    const QString clean = OneLineOf(typed);
    if (clean == typed) return false;
    if (!clean.isEmpty()) {
        QKeyEvent cleaned(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                          key->nativeVirtualKey(), key->nativeModifiers(), clean,
                          key->isAutoRepeat(), key->count(), key->device());
        QCoreApplication::sendEvent(field, &cleaned);
        key->setAccepted(cleaned.isAccepted());
    }
    return true;
}

void ShowContextMenu(QLineEdit* field, const QPoint& at) {
    QMenu* menu = field->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (!action->text().startsWith(QLineEdit::tr("&Paste"))) continue;
        QObject::disconnect(action, nullptr, field, nullptr);
        QObject::connect(action, &QAction::triggered, field,
                         [field] { PasteInto(field, QClipboard::Clipboard); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

}  // namespace

void CleanPaste::Watch(QLineEdit* field) { field->installEventFilter(this); }

bool CleanPaste::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field || field->isReadOnly()) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->matches(QKeySequence::Paste)) return TypeCleaned(field, key);
            PasteInto(field, QClipboard::Clipboard);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                !QGuiApplication::clipboard()->supportsSelection()) {
                return false;
            }
            field->deselect();
            PasteInto(field, QClipboard::Selection);
            return true;
        case QEvent::ContextMenu:
            ShowContextMenu(field, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            // Within the field a drag moves its own text, as usual.
            if (drop->source() == field || !drop->mimeData()->hasText()) return false;
            // A text of which nothing is left is refused, as a drop that cannot be a copy.
            const QString text = OneLineOf(drop->mimeData()->text());
            if (text.isEmpty() || !(drop->possibleActions() & Qt::CopyAction)) {
                drop->ignore();
                return true;
            }
            field->setCursorPosition(field->cursorPositionAt(drop->position().toPoint()));
            if (event->type() == QEvent::Drop) InsertAsOneStep(field, text);
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            return true;
        }
        default:
            return false;
    }
}
