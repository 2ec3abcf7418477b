#pragma once

// What the print dialog shows of the print server: its queues, its default
// queue and each queue's options, asked on a thread of its own. libcups
// blocks the thread that calls it for as long as the server is silent; the
// window's thread only looks at what has arrived.

#include <QMarginsF>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <vector>

struct CupsLibrary;

// One queue and the choices it offers, as the server names them (IPP
// keywords: "iso_a4_210x297mm", "two-sided-long-edge", "monochrome").
struct ServerPrinter {
    QString name;
    QString description;  // printer-info; may be empty
    QStringList media;
    QString mediaDefault;
    QStringList sides;
    QString sidesDefault;
    QStringList colourModes;
    QString colourDefault;
    QMarginsF leastMargins;  // in millimetres: the least the printer can print within
};

struct ServerPrinters {
    enum class State { Asking, Answered, NoServer, Silent };
    State state = State::Asking;
    std::vector<ServerPrinter> printers;
    QString defaultName;  // empty: the server has none
};

// Asks the print server for its printers as soon as it is made. The question
// runs on a detached thread that gives up after the server's own time limit;
// the answer is read with Now(). Until `deadlineMs` has passed the state is
// Asking; then Silent until (if ever) the answer arrives.
class ServerPrinterQuery {
  public:
    explicit ServerPrinterQuery(int deadlineMs, std::shared_ptr<const CupsLibrary> cups = nullptr);
    ServerPrinters Now() const;

  private:
    struct Shared {
        std::mutex mutex;
        bool done = false;
        ServerPrinters answer;
    };
    std::shared_ptr<Shared> shared_;
    qint64 startedMs_;
    int deadlineMs_;
};
