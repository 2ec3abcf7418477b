#include "window/results_list.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include "window/contrast.h"

namespace {

constexpr double kVisibleFocus = 3.0;

// The style's own current-line outline is too faint; the list draws its own.
class NoFocusOutline : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

}  // namespace

ResultsList::ResultsList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new NoFocusOutline(this));
    // At a fractional scale (1.5) the viewport, rounded outwards, would cover
    // the frame's bottom line; one logical pixel keeps the line in view.
    setViewportMargins(0, 0, 0, 1);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ResultsList::RemoveLine(int row) {
    const QScopedValueRollback<bool> quiet(removing_, true);
    delete takeItem(row);
    clearSelection();
    setCurrentRow(-1);
}

void ResultsList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!hasFocus()) return;
    const QColor base = palette().color(QPalette::Base);
    const QColor colour = ReadableOn(base, palette().color(QPalette::Highlight),
                                     palette().color(QPalette::Text), kVisibleFocus);
    QPainter painter(viewport());
    painter.setPen(QPen(colour, 2));
    painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
    if (QListWidgetItem* current = currentItem()) {
        // A selected line is filled with the highlight; its outline takes the
        // highlighted text's colour instead.
        const bool selected = current->isSelected();
        const QColor onLine = selected ? palette().color(QPalette::HighlightedText) : colour;
        painter.setPen(QPen(onLine, 1, selected ? Qt::SolidLine : Qt::DashLine));
        painter.drawRect(visualItemRect(current).adjusted(2, 0, -3, -1));
    }
}

void ResultsList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
            if (currentItem() && selectedItems().isEmpty() &&
                !(event->modifiers() & ~Qt::KeypadModifier)) {
                currentItem()->setSelected(true);
                event->accept();
                return;
            }
            break;
        default:
            break;
    }
    QListWidget::keyPressEvent(event);
}

// Qt tells a screen reader of each new current line and each selection
// change, and the reader follows them as a move of the focus into the list.
// A line removed by the Remove Result button changes both while the button
// keeps the focus, and one removed by Delete changes them on the way; the
// list then stays quiet, and the announcement of the removal is what is
// heard.
void ResultsList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (Speaks()) {
        QListWidget::currentChanged(current, previous);
    } else {
        QAbstractItemView::currentChanged(current, previous);
    }
}

void ResultsList::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    if (Speaks()) {
        QListWidget::selectionChanged(selected, deselected);
    } else {
        QAbstractItemView::selectionChanged(selected, deselected);
    }
}
