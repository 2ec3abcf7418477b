#pragma once

#include <memory>

#include "platform/platform.h"

// The print dialog; the printer it hands out prints the report. Windows has
// its native one (through Qt's QPrintDialog), Linux one of the program's own
// (linux/report_print_service.h).
std::unique_ptr<PrintDialogService> MakeQtPrintDialog();
