#pragma once

#include <QByteArray>
#include <QString>

class PrintProgress;
class QPrinter;

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

// Hands a finished PDF to the print server as one job for the queue the print
// dialog chose, named after the printer's document name and carrying the
// dialog's choices the way Qt's own CUPS back end sends them. The job is
// created held and released only while the window still waits, so a job the
// window gave up on never prints. The window keeps repainting meanwhile, with
// `progress` offering Cancel. (print_server.cpp)
HandOver HandToPrintServer(const QPrinter& printer, const QByteArray& pdf, PrintProgress& progress);

// Whether the print server answers within a few seconds, asked on a thread of
// its own while `progress` keeps the window turning. Qt's printer and print
// dialog ask it for its printers on the window's thread and would freeze the
// window for as long as a silent server stays silent. Empty when it answers
// or when there is no server at all (the dialog then offers files only);
// otherwise why it cannot be used. Sets `cancelled` when the user cancelled
// the wait.
QString PrintServerSilence(PrintProgress& progress, bool& cancelled);
