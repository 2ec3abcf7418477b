#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <climits>
#include <memory>
#include <utility>
#include <vector>

#include "platform/platform.h"

class QPrinter;
class QWidget;

// What a report is printed with: where it goes (a PDF file, else a printer
// queue), the page, and which pages how often.
struct ReportSetup {
    QString fileName;  // the PDF file; empty for a printer queue
    QString queue;     // the printer queue, by the name the dialog showed
    QPageLayout layout;
    int resolution = 1200;
    QString title;  // the job's name in the queue, or the PDF file's title
    QString creator;
    int fromPage = 1;
    int toPage = INT_MAX;
    int copies = 1;  // the copies the program makes itself
    bool collate = true;
    bool reverse = false;
    // For a queue on Linux: the job's options as the print server names them
    // (media, sides, copies the server makes).
    std::vector<std::pair<QByteArray, QByteArray>> queueOptions;
};

// The printer service on a QPrinter the caller has set up (the print dialog's,
// or a PDF file in tests and benchmarks). Lines wider than the page wrap at
// word boundaries, a line that does not fit on the page starts a new one, and
// the printer's page range and copies are honoured. A PDF file is written
// whole or not at all; a job for a printer queue goes to the print server
// whole, and a refusal or no answer is told as a failure. The report is laid
// out and written on a thread of its own while `window` keeps repainting
// (PrintProgress); a cancel there ends it without a trace.
std::unique_ptr<PrinterService> MakeQtPrinter(std::unique_ptr<QPrinter> printer, QWidget* window);

// The same report without a QPrinter: building one asks the print server for
// its default printer on the calling thread, which is what a silent server
// never answers. A queue's job goes to the print server on Linux only.
std::unique_ptr<PrinterService> MakeReportPrinter(ReportSetup setup, QWidget* window);
