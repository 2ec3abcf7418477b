#pragma once

#include <memory>

#include "platform/platform.h"

// Qt's print dialog; the printer it hands out prints the report.
std::unique_ptr<PrintDialogService> MakeQtPrintDialog();
