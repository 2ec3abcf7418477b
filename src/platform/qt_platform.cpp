#include "platform/qt_platform.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

class QtMessages : public MessageService {
  public:
    void ShowMessage(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    }
};

class QtBrowserWindow : public BrowserWindow {
  public:
    bool SetVisible(bool) override { return true; }  // the desktop's browser shows itself
    bool Navigate(const QString& address) override {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    }
};

class QtBrowser : public BrowserService {
  public:
    std::unique_ptr<BrowserWindow> OpenWindow() override {
        return std::make_unique<QtBrowserWindow>();
    }
};

}  // namespace

std::unique_ptr<MessageService> MakeQtMessages() { return std::make_unique<QtMessages>(); }

std::unique_ptr<BrowserService> MakeQtBrowser() { return std::make_unique<QtBrowser>(); }
