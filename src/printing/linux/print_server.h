#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

class PrintProgress;
struct CupsLibrary;

// A job for a printer queue: the queue as the print dialog names it (an
// instance as queue/instance), the job's name in the queue, and the job's
// options (media, sides, copies...) as the server knows them.
struct QueueJob {
    using Options = std::vector<std::pair<QByteArray, QByteArray>>;
    QString queue;
    QString title;
    Options options;
};

// What became of a job handed to the print server.
struct HandOver {
    enum class Outcome {
        Accepted,     // released to print
        Failed,       // the server refused it or did not answer; it never prints
        Unconfirmed,  // released, but the server's answer never came: it may print
        Cancelled,    // the user pressed Cancel before it was released; it never prints
    };
    Outcome outcome;
    QString reason;  // why not, in the user's words
};

// Hands a finished PDF to the print server as one job. The job is created
// held and released only while the window still waits, so a job the window
// gave up on never prints; a release sent but never answered is told as
// Unconfirmed, whatever the error. The window keeps repainting meanwhile,
// with `progress` offering Cancel. `cups` is the loaded libcups (null: load
// it); tests pass one with a fault of their own. (print_server.cpp)
HandOver HandToPrintServer(const QueueJob& job, const QByteArray& pdf, PrintProgress& progress,
                           std::shared_ptr<const CupsLibrary> cups = nullptr);
