#pragma once

#include <memory>

#include "platform/platform.h"

// The desktop's own message boxes and browser. (The print dialog is in
// printing/print_dialog.h.)
std::unique_ptr<MessageService> MakeQtMessages();
std::unique_ptr<BrowserService> MakeQtBrowser();
