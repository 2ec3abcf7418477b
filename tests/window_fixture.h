#pragma once

// Shared by the window tests: test doubles for the platform layer, a
// watchdog for modal dialogs nobody expected, and helpers that drive the real
// widgets by their names.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "window/form1.h"
#include "window/platform.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

struct Shown {
    QString text;
    QString title;
};

class RecordingMessages : public MessageService {
  public:
    explicit RecordingMessages(std::vector<Shown>* log) : log_(log) {}
    void ShowMessage(QWidget*, const QString& text, const QString& title) override {
        log_->push_back({text, title});
    }

  private:
    std::vector<Shown>* log_;
};

// Every printer call as one line of text, e.g. "size 14", "print Calculations:".
class RecordingPrinter : public PrinterService {
  public:
    RecordingPrinter(std::vector<std::string>* log, int failAt) : log_(log), failAt_(failAt) {}
    bool SetFontName(const QString& name) override { return Log("font " + name); }
    bool SetFontSize(double points) override { return Log("size " + QString::number(points)); }
    bool SetBold(bool on) override { return Log(on ? "bold on" : "bold off"); }
    bool SetItalic(bool on) override { return Log(on ? "italic on" : "italic off"); }
    bool PrintLine(const QString& text) override { return Log("print " + text); }
    bool EndDoc() override { return Log("end"); }
    void Abort() override { log_->push_back("abort"); }

  private:
    bool Log(const QString& entry) {
        log_->push_back(entry.toStdString());
        return static_cast<int>(log_->size()) != failAt_;
    }
    std::vector<std::string>* log_;
    int failAt_;
};

struct PrintDialogState {
    bool cancel = false;
    int failAt = -1;  // the printer fails on this call (1-based), -1: never
    int shown = 0;
    bool cancelError = false;
    std::vector<std::string> log;
};

class FakePrintDialog : public PrintDialogService {
  public:
    explicit FakePrintDialog(PrintDialogState* state) : state_(state) {}
    void SetCancelError(bool on) override { state_->cancelError = on; }
    void SetCopies(std::int16_t) override {}
    void SetMinPage(std::int32_t) override {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget*) override {
        ++state_->shown;
        if (state_->cancel) return nullptr;
        return std::make_unique<RecordingPrinter>(&state_->log, state_->failAt);
    }

  private:
    PrintDialogState* state_;
};

struct BrowserState {
    int created = 0;
    bool failing = false;
    std::vector<QString> addresses;
};

class FakeBrowserWindow : public BrowserWindow {
  public:
    explicit FakeBrowserWindow(BrowserState* state) : state_(state) {}
    bool SetVisible(bool) override { return !state_->failing; }
    bool Navigate(const QString& address) override {
        if (state_->failing) return false;
        state_->addresses.push_back(address);
        return true;
    }

  private:
    BrowserState* state_;
};

class FakeBrowser : public BrowserService {
  public:
    explicit FakeBrowser(BrowserState* state) : state_(state) {}
    std::unique_ptr<BrowserWindow> CreateWindow() override {
        ++state_->created;
        return std::make_unique<FakeBrowserWindow>(state_);
    }

  private:
    BrowserState* state_;
};

class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<Form1>(Platform{std::make_unique<RecordingMessages>(&messages_),
                                                 std::make_unique<FakePrintDialog>(&print_),
                                                 std::make_unique<FakeBrowser>(&browser_)});
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        // Any real modal dialog is a fault: the doubles show none.
        connect(&watchdog_);
    }
    void TearDown() override { watchdog_.stop(); }

    template <typename T>
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

    // Types into a field as a user would: select all, then type.
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Delete);
        } else {
            QTest::keyClicks(field, text);
        }
    }
    // Picks an entry of a drop-down list with the keyboard.
    static void Choose(QComboBox* list, const QString& entry) {
        const int target = list->findText(entry);
        ASSERT_GE(target, 0) << entry.toStdString();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < target; ++i) QTest::keyClick(list, Qt::Key_Down);
        ASSERT_EQ(list->currentIndex(), target);
    }
    void Press(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
    void Shape(const QString& name) { Choose(Get<QComboBox>("cmbShapes"), name); }
    void Alloy(const QString& name) { Choose(Get<QComboBox>("cmbAlloy"), name); }

    // Fills the shown slots and presses Calculate.
    void Calculate(const QStringList& values, const QStringList& units = {}) {
        for (int i = 0; i < values.size(); ++i) Type(Field(i), values[i]);
        for (int i = 0; i < units.size(); ++i) Choose(Units(i), units[i]);
        Press("cmdCalculate");
    }

    std::vector<Shown> messages_;
    PrintDialogState print_;
    BrowserState browser_;
    std::unique_ptr<Form1> form_;

  private:
    void connect(QTimer* timer) {
        QObject::connect(timer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected modal dialog: " << modal->windowTitle().toStdString();
                modal->close();
            }
        });
        timer->start(50);
    }
    QTimer watchdog_;
};
