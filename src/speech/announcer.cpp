#include "speech/announcer.h"

#include "speech/accessible_factory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <string>
#include <vector>

#include "form/announcements.h"

namespace {

const char kObjectName[] = "announcer";
constexpr std::chrono::milliseconds kAfterDialog{1000};

QString Words(const std::string& words) { return QString::fromStdString(words); }

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

void Announcer::WeightShown(const QString& weight) {
    Say(Words(form::WeightShown(weight.toStdString())));
}

void Announcer::ResultStored(int stored) { Say(Words(form::ResultStored(stored))); }

void Announcer::ResultRemoved(int left) { Say(Words(form::ResultRemoved(left))); }

void Announcer::FieldsCleared() { Say(Words(form::FieldsCleared())); }

void Announcer::LineSelected(const QString& line, const QString& place) {
    Say(Words(form::LineSelected(line.toStdString(), place.toStdString())));
}

void Announcer::FieldsShown(const QString& words) {
    // The list says its entry from a zero-time timer started on the key
    // press, before this one.
    QTimer::singleShot(0, label_, [this, words] { Say(words); });
}

void Announcer::ReportPrinted(int pages, const QString& file, const QString& queue) {
    const QString name = file.isEmpty() ? QString() : QFileInfo(file).fileName();
    SayAfterDialog(Words(form::ReportPrinted(pages, name.toStdString(), queue.toStdString())));
}

void Announcer::PrintingCancelled() { SayAfterDialog(Words(form::PrintingCancelled())); }

void Announcer::DialogNote(const QString& text) { Say(text); }

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
