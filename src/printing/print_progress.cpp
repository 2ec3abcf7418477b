#include "printing/print_progress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kShowAfterMs = 1000;
constexpr int kTickMs = 20;
// Every change of the label or the bar is sent to screen readers; more than a
// few a second flood them, and a flooded reader drops what follows, the
// print's outcome included. The dialog changes at most twice a second.
constexpr int kChangeEveryMs = 500;

}  // namespace

// Drops the user's key presses and clicks aimed at the print's window (the
// progress dialog and message boxes are windows of their own and still
// work).
class PrintProgress::InputDrop : public QObject {
  public:
    explicit InputDrop(QWidget* window) : window_(window) { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
                break;
            default:
                return false;
        }
        // A shortcut's receiver is the QShortcut; its widget is a parent.
        for (QObject* object = receiver; object; object = object->parent()) {
            if (object->isWidgetType()) {
                return window_ && static_cast<QWidget*>(object)->window() == window_;
            }
        }
        return false;
    }

  private:
    QWidget* window_;
};

PrintProgress::PrintProgress(QWidget* window)
    : drop_(std::make_unique<InputDrop>(window ? window->window() : nullptr)),
      dialog_(std::make_unique<QProgressDialog>(window)) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    dialog_->setWindowTitle(QObject::tr("Printing"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    // Return pressed once too often in the print dialog must not cancel the
    // print; a click or Escape does.
    for (auto* button : dialog_->findChildren<QPushButton*>()) button->setAutoDefault(false);
    // Shows itself once a second has passed, counted from this first value.
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setValue(0);
}

PrintProgress::~PrintProgress() {
    dialog_.reset();
    // Input that arrived while the print ran but has not been delivered yet
    // still belongs to the print.
    QCoreApplication::processEvents();
    drop_.reset();
    QGuiApplication::restoreOverrideCursor();
}

PrintProgress::Outcome PrintProgress::Wait(const std::function<bool()>& finished,
                                           const std::function<Status()>& status, int limitMs) {
    if (dialog_->wasCanceled()) return Outcome::Cancelled;
    if (finished()) return Outcome::Finished;
    QElapsedTimer since;
    since.start();
    QEventLoop loop;
    // Ended without a word from below: the application is quitting (its
    // window was closed), which gives the work up like Cancel.
    Outcome outcome = Outcome::Cancelled;
    const auto end = [&](Outcome how) {
        outcome = how;
        loop.quit();
    };
    QTimer tick;
    check_ = [&] {
        if (finished()) return end(Outcome::Finished);
        if (dialog_->wasCanceled()) return end(Outcome::Cancelled);
        if (limitMs >= 0 && since.elapsed() >= limitMs) return end(Outcome::TimedOut);
        if (shownAt_.isValid() && shownAt_.elapsed() < kChangeEveryMs) return;
        const Status now = status();
        if (now == shown_) return;
        shown_ = now;
        shownAt_.start();
        dialog_->setLabelText(now.label);
        dialog_->setMaximum(now.total);
        // Only once shown: before that, a value at the minimum would restart
        // the dialog's one-second wait.
        if (dialog_->isVisible() && now.total > 0) dialog_->setValue(now.done);
    };
    QObject::connect(&tick, &QTimer::timeout, check_);
    QObject::connect(dialog_.get(), &QProgressDialog::canceled, &loop,
                     [&] { end(Outcome::Cancelled); });
    tick.start(kTickMs);
    loop.exec();
    check_ = nullptr;
    return outcome;
}

void PrintProgress::Wake() {
    QMetaObject::invokeMethod(
        &waker_,
        [this] {
            if (check_) check_();
        },
        Qt::QueuedConnection);
}
