#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// What the window shows while a print runs: the busy cursor at once and,
// once it has taken about a second, a progress dialog (pages done of pages,
// Cancel), which changes at most twice a second so that a screen reader
// keeps up with it. The window keeps repainting, and key presses and clicks
// made in it meanwhile are dropped, not kept to be replayed when the print is
// over (Return pressed again in the closing print dialog would otherwise
// start a second print). Lives as long as the print.
class PrintProgress {
  public:
    explicit PrintProgress(QWidget* window);
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    struct Status {
        QString label;
        int done = 0;
        int total = 0;  // 0: not counted yet
        bool operator==(const Status&) const = default;
    };
    enum class Outcome { Finished, Cancelled, TimedOut };

    // Keeps the window turning until `finished` says the work is done, the
    // user presses Cancel, or `limitMs` has passed (-1: no limit), showing
    // `status` in the dialog. After a cancel it returns Cancelled at once.
    Outcome Wait(const std::function<bool()>& finished, const std::function<Status()>& status,
                 int limitMs = -1);

    // From the working thread when it is done, so the window need not wait
    // for its next look. Only while this object lives.
    void Wake();

  private:
    class InputDrop;
    QObject waker_;                // lives on the window's thread
    std::function<void()> check_;  // while Wait runs
    std::unique_ptr<InputDrop> drop_;
    std::unique_ptr<QProgressDialog> dialog_;
    Status shown_;
    QElapsedTimer shownAt_;  // when shown_ was last changed
};
