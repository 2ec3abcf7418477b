#include "window/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "speech/accessible_factory.h"
#include "window/contrast.h"

namespace {

const QColor kDesignedLinkColour(0, 0, 192);
constexpr double kReadableText = 4.5;

class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        const QString shown = static_cast<LinkLabel*>(widget())->text();
        if (t == QAccessible::Name) return shown;
        // The address as a description only where it is not the text already
        // read as the name.
        const QString other = QAccessibleWidget::text(t);
        return t == QAccessible::Description && other == shown ? QString() : other;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) emit static_cast<LinkLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* LinkFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("LinkLabel")) {
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    }
    return nullptr;
}

}  // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    UpdateColour();
    DropInterfaceMadeTooEarly(this, QAccessible::Link);  // made while only a QLabel
}

void LinkLabel::SetAddress(const QString& address) { setToolTip(address); }

void LinkLabel::InstallAccessibility() { QAccessible::installFactory(LinkFactory); }

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) emit clicked();
            event->accept();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    const bool themeChanged =
        event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange;
    if (themeChanged && !updatingColour_) UpdateColour();
}

void LinkLabel::UpdateColour() {
    updatingColour_ = true;
    // The label sets only its text colour; background and link colour come
    // from the window and the desktop's theme.
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ReadableOn(p.color(QPalette::Window), kDesignedLinkColour,
                                                p.color(QPalette::Link), kReadableText));
    setPalette(p);
    updatingColour_ = false;
}
