#pragma once

// The window driven through its real widgets, with doubles for the desktop
// that record what the window asked of it, and a watchdog that fails a test
// on any real modal dialog the doubles would not have shown. Shared by the
// window tests and the Windows speech tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "printing/report_printer.h"
#include "window/form1.h"

struct Desktop {
    std::vector<QStringList> messages;  // {text, title}
    int browsersMade = 0;
    bool browserBroken = false;
    bool noBrowser = false;  // the desktop starts none
    QStringList visited;
};

// Every desktop service at once. A print dialog given a file name hands out
// the real Qt printer, writing a PDF there; without one it is cancelled.
class FakeDesktop : public MessageService,
                    public PrintDialogService,
                    public BrowserService,
                    public BrowserWindow {
  public:
    explicit FakeDesktop(Desktop* d, QString pdf = {}) : d_(d), pdf_(std::move(pdf)) {}
    void ShowMessage(QWidget*, const QString& text, const QString& title) override {
        d_->messages.push_back({text, title});
    }
    void SetCancelError(bool) override {}
    void SetCopies(std::int16_t) override {}
    void SetMinPage(std::int32_t) override {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget* parent) override {
        if (pdf_.isEmpty()) return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFileName(pdf_);
        return MakeQtPrinter(std::move(printer), parent);
    }
    std::unique_ptr<BrowserWindow> OpenWindow() override {
        if (d_->noBrowser) return nullptr;
        ++d_->browsersMade;
        return std::make_unique<FakeDesktop>(d_);
    }
    bool SetVisible(bool) override { return !d_->browserBroken; }
    bool Navigate(const QString& address) override {
        if (!d_->browserBroken) d_->visited << address;
        return !d_->browserBroken;
    }

  private:
    Desktop* d_;
    QString pdf_;
};

class WindowFixture : public testing::Test {
  protected:
    // A new window; `dialog` replaces the print dialog double. Some platforms
    // (wine's Windows one on a bare X server) show a window without ever
    // activating it.
    void Open(std::unique_ptr<PrintDialogService> dialog = nullptr, bool active = true) {
        if (!dialog) dialog = std::make_unique<FakeDesktop>(&desktop_);
        form_ = std::make_unique<Form1>(Platform{std::make_unique<FakeDesktop>(&desktop_),
                                                 std::move(dialog),
                                                 std::make_unique<FakeDesktop>(&desktop_)});
        form_->show();
        ASSERT_TRUE(active ? QTest::qWaitForWindowActive(form_.get())
                           : QTest::qWaitForWindowExposed(form_.get()));
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            // A print's progress shows itself after a second on a slow machine.
            if (modal && !qobject_cast<QProgressDialog*>(modal)) {
                ADD_FAILURE() << "unexpected dialog: " << modal->windowTitle().toStdString();
                modal->close();
            }
        });
        watchdog_.start(50);
    }

    template <typename T = QWidget>
    T* Get(const QString& name) const {
        T* widget = form_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* Field(int i) const { return Get<QLineEdit>(QString("txtParam(%1)").arg(i)); }
    QLabel* Caption(int i) const { return Get<QLabel>(QString("lblParam(%1)").arg(i)); }
    QComboBox* Units(int i) const { return Get<QComboBox>(QString("cmbUnits(%1)").arg(i)); }
    QLineEdit* Pieces() const { return Get<QLineEdit>("txtNumPieces"); }
    QLineEdit* Result() const { return Get<QLineEdit>("txtResult"); }
    QListWidget* List() const { return Get<QListWidget>("lstResults"); }
    QString Line(int row) const { return List()->item(row)->text(); }
    QString Said() const { return Get<QLabel>("announcer")->text(); }  // after pending timers

    // Types into a field as a user would: select all, then type.
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    static void Paste(QWidget* widget, const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
    }
    // Picks an entry of a drop-down list with the keyboard.
    static void Choose(QComboBox* list, const QString& entry) {
        const int target = list->findText(entry);
        ASSERT_GE(target, 0) << entry.toStdString();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < target; ++i) QTest::keyClick(list, Qt::Key_Down);
    }
    void Press(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
    void Shape(const QString& name) { Choose(Get<QComboBox>("cmbShapes"), name); }
    // Fills the first slots (and their units) and presses Calculate.
    void Calculate(const QStringList& values, const QStringList& units = {}) {
        for (int i = 0; i < values.size(); ++i) Type(Field(i), values[i]);
        for (int i = 0; i < units.size(); ++i) Choose(Units(i), units[i]);
        Press("cmdCalculate");
    }
    void Store(const QStringList& results) {
        for (const QString& result : results) {
            Type(Result(), result);
            Press("cmdStoreResult");
        }
    }

    Desktop desktop_;
    std::unique_ptr<Form1> form_;
    QTimer watchdog_;
};
