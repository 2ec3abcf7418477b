#pragma once

#include <memory>

#include "platform/platform.h"

class QPrinter;

// The printer service on a QPrinter the caller has set up (the print dialog's,
// or a PDF file in tests and benchmarks). Lines wider than the page wrap at
// word boundaries, a line that does not fit on the page starts a new one, and
// the printer's page range and copies are honoured. A PDF file is written
// whole or not at all; a job for a printer queue goes to the print server
// whole, and a refusal or no answer is told as a failure.
std::unique_ptr<PrinterService> MakeQtPrinter(std::unique_ptr<QPrinter> printer);
