#include "speech/announcer.h"

#include "speech/accessible_factory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace {

const char kObjectName[] = "announcer";
constexpr std::chrono::milliseconds kAfterDialog{1000};

QString Results(int count) { return QString("%1 result%2").arg(count).arg(count == 1 ? "" : "s"); }

QString Pages(int count) { return QString("%1 page%2").arg(count).arg(count == 1 ? "" : "s"); }

class NotificationAccessible : public QAccessibleWidget {
  public:
    explicit NotificationAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* NotificationFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel") && object->objectName() == kObjectName) {
        return new NotificationAccessible(static_cast<QLabel*>(object));
    }
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* window) : label_(new QLabel(window)) {
    label_->setObjectName(kObjectName);
    label_->hide();
    DropInterfaceMadeTooEarly(label_, QAccessible::Notification);  // made before it had its name
}

void Announcer::InstallAccessibility() { QAccessible::installFactory(NotificationFactory); }

void Announcer::WeightShown(const QString& weight) { Say(weight + " pounds"); }

void Announcer::ResultStored(int stored) { Say("Result stored, " + Results(stored)); }

void Announcer::ResultRemoved(int left) { Say("Result removed, " + Results(left) + " left"); }

void Announcer::FieldsCleared() { Say("Fields cleared"); }

void Announcer::LineSelected(const QString& line, const QString& place) {
    Say(line + ", " + place + ", selected");
}

void Announcer::FieldsShown(const QStringList& names) {
    // The list says its entry from a zero-time timer started on the key
    // press, before this one.
    QTimer::singleShot(0, label_, [this, text = names.join(", ")] { Say(text); });
}

void Announcer::ReportPrinted(int pages, const QString& file, const QString& queue) {
    if (file.isEmpty()) {
        SayAfterDialog("Report sent to " + queue + ", " + Pages(pages));
    } else {
        SayAfterDialog("Report printed, " + Pages(pages) + ", to " + QFileInfo(file).fileName());
    }
}

void Announcer::PrintingCancelled() { SayAfterDialog("Printing cancelled"); }

void Announcer::OptionsShown(bool shown) { Say(shown ? "Options shown" : "Options hidden"); }

void Announcer::Say(const QString& text) {
    label_->setText(text);
    Show();
}

// A dialog that has just closed leaves the reader busy with every control
// that went with it, and Orca drops notifications while it is that busy; the
// text is said once it has caught up.
void Announcer::SayAfterDialog(const QString& text) {
    label_->setText(text);
    QTimer::singleShot(kAfterDialog, label_, [this, text] { Say(text); });
}

void Announcer::Show() {
    if (!QAccessible::isActive()) return;
#if defined(Q_OS_WIN)
    // Qt's UI Automation bridge drops ObjectShow. A value change whose value
    // is text it raises as a UIA notification, which Windows screen readers
    // read out; it comes from the window, which every reader already knows.
    QAccessibleValueChangeEvent said(label_->window(), label_->text());
    QAccessible::updateAccessibility(&said);
#else
    QAccessibleEvent shown(label_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}
