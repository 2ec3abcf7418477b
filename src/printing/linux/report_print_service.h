#pragma once

#include <memory>

#include "platform/platform.h"

// The print dialog on Linux (ReportPrintDialog) and the printer it hands out:
// nothing of Qt's CUPS support runs, so the window never waits on the print
// server. It remembers the choices of the last print for as long as it lives
// (the window's life) and opens on them.
std::unique_ptr<PrintDialogService> MakeReportPrintService();
