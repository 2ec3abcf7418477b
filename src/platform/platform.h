#pragma once

// The window's way out to the desktop: message boxes, the print dialog with
// its printer, and the browser. Form1 only talks to these interfaces; the
// program gets the Qt implementations (QtPlatform() in window/form1.h), tests
// get doubles.

#include <QString>
#include <cstdint>
#include <memory>

class QWidget;

// Modal message box: the text, the title, one OK button, no icon.
class MessageService {
  public:
    virtual ~MessageService() = default;
    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& title) = 0;
};

// The printer that the print dialog hands out. Every operation reports
// failure by returning false; the caller then stops at once.
class PrinterService {
  public:
    virtual ~PrinterService() = default;
    virtual bool SetFontName(const QString& name) = 0;
    virtual bool SetFontSize(double points) = 0;
    virtual bool SetBold(bool on) = 0;
    virtual bool SetItalic(bool on) = 0;
    // Prints the text and ends the line; a CR LF pair inside starts a new line.
    virtual bool PrintLine(const QString& text) = 0;
    // Sends the document to the printer.
    virtual bool EndDoc() = 0;
    // Throws away a document that was not ended.
    virtual void Abort() = 0;
    // Why the last operation failed, as the system put it; empty when it
    // gave no reason.
    virtual QString FailureReason() const { return {}; }
    // Once the document has ended, what became of it, to tell the user: the
    // pages it made, and where they went: a file's path, or else (no file)
    // the printer queue's name.
    virtual int PageCount() const { return 0; }
    virtual QString OutputFile() const { return {}; }
    virtual QString QueueName() const { return {}; }
    // How a document that did not end well ended: it failed; the user
    // cancelled it; or it was handed over but the printer never confirmed
    // it, so it may still print.
    enum class Ending { Failed, Cancelled, Unconfirmed };
    virtual Ending HowEnded() const { return Ending::Failed; }
};

// The print dialog component. ShowPrinter returns the printer the user
// confirmed, or nothing when the dialog was cancelled (with cancel reported as
// an error) or failed.
class PrintDialogService {
  public:
    virtual ~PrintDialogService() = default;
    virtual void SetCancelError(bool on) = 0;
    virtual void SetCopies(std::int16_t copies) = 0;
    virtual void SetMinPage(std::int32_t page) = 0;
    virtual std::unique_ptr<PrinterService> ShowPrinter(QWidget* parent) = 0;
};

// One browser window: make it visible, direct it to an address. A false
// return means the window no longer works.
class BrowserWindow {
  public:
    virtual ~BrowserWindow() = default;
    virtual bool SetVisible(bool on) = 0;
    virtual bool Navigate(const QString& address) = 0;
};

class BrowserService {
  public:
    virtual ~BrowserService() = default;
    // A new browser window, or nothing when no browser can be started.
    virtual std::unique_ptr<BrowserWindow> OpenWindow() = 0;
};

struct Platform {
    std::unique_ptr<MessageService> messages;
    std::unique_ptr<PrintDialogService> printDialog;
    std::unique_ptr<BrowserService> browser;
};
