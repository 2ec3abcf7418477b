#pragma once

#include <memory>

#include "platform/platform.h"

class QPageLayout;
class QPrinter;
class QString;
class QWidget;

// The printer service on a QPrinter the caller has set up (the print dialog's,
// or a PDF file in tests and benchmarks). Lines wider than the page wrap at
// word boundaries, a line that does not fit on the page starts a new one, and
// the printer's page range and copies are honoured. A PDF file is written
// whole or not at all; a job for a printer queue goes to the print server
// whole, and a refusal or no answer is told as a failure. The report is laid
// out and written on a thread of its own while `window` keeps repainting
// (PrintProgress); a cancel there ends it without a trace.
std::unique_ptr<PrinterService> MakeQtPrinter(std::unique_ptr<QPrinter> printer, QWidget* window);

// The same report as a PDF file, without a QPrinter: one is built by asking
// the print server for its default printer, which is what a silent server
// never answers.
std::unique_ptr<PrinterService> MakePdfFilePrinter(const QString& fileName,
                                                   const QPageLayout& layout, QWidget* window);
