#pragma once

// Answers a modal dialog that the test's next action opens, from inside the
// event loop the dialog runs. The dialog is looked for until it shows (a
// loaded machine, or a print server the program waits on first, may take
// seconds), and it is never left open: a test that fails part way still
// returns instead of hanging on an unanswered dialog.
//
//     {
//         const ModalAnswer<QFileDialog> answer("the file chooser",
//                                               [](QFileDialog* d) { d->reject(); });
//         Press("...");
//     }  // fails the test if no file chooser showed

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

template <typename Dialog>
class ModalAnswer {
  public:
    // `what` names the dialog in failures; `which`, when given, tells it from
    // other dialogs of its class.
    ModalAnswer(std::string what, std::function<void(Dialog*)> answer,
                std::function<bool(Dialog*)> which = {}, int deadlineMs = 30000)
        : what_(std::move(what)) {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [=, this] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<Dialog*>(modal);
            if (dialog && (!which || which(dialog))) {
                timer_.stop();
                done_ = true;
                answer(dialog);
                if (dialog->isVisible() && QApplication::activeModalWidget() == dialog) {
                    ADD_FAILURE() << what_ << " was left open: closed";
                    dialog->close();
                }
            } else if (clock_.elapsed() > deadlineMs) {
                timer_.stop();
                done_ = true;
                ADD_FAILURE() << "awaited " << what_ << " for " << deadlineMs / 1000
                              << " s; showing instead: "
                              << (modal ? std::string(modal->metaObject()->className()) + " \"" +
                                              modal->windowTitle().toStdString() + "\""
                                        : "no dialog");
                if (modal) modal->close();
            }
        });
        timer_.start(20);
    }
    ~ModalAnswer() {
        if (!done_) ADD_FAILURE() << what_ << " did not show";
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

  private:
    std::string what_;
    QElapsedTimer clock_;
    bool done_ = false;  // answered, or failed at the deadline
    QTimer timer_;
};
