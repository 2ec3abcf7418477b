#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;

// Hands a finished PDF to the print server as one job for the queue the print
// dialog chose, named after the printer's document name and carrying the
// dialog's choices the way Qt's own CUPS back end sends them. The window keeps
// repainting (user input waits) while the server takes the job. Returns why
// the server did not take it, or that it did not answer in time; empty when
// the job was accepted. (print_server.cpp)
QString HandToPrintServer(const QPrinter& printer, const QByteArray& pdf);
