#pragma once

// Shared by the window tests: doubles for the platform layer that record what
// the window asked of the desktop, a watchdog for modal dialogs nobody
// expected, and helpers that drive the real widgets by their names.

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

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Everything the doubles saw.
struct Desktop {
    std::vector<QStringList> messages;  // {text, title}
    bool cancelPrint = false;
    int printerFailsAt = -1;  // the printer's n-th call (1-based) fails
    bool cancelError = false;
    QStringList printed;  // "size 14", "print Calculations:", "end", "abort"
    int browsersMade = 0;
    bool browserBroken = false;
    QStringList visited;
};

class FakePrinter : public PrinterService {
  public:
    explicit FakePrinter(Desktop* d) : d_(d) {}
    bool SetFontName(const QString& name) override { return Log("font " + name); }
    bool SetFontSize(double points) override { return Log("size " + QString::number(points)); }
    bool SetBold(bool on) override { return Log(on ? "bold on" : "bold off"); }
    bool SetItalic(bool on) override { return Log(on ? "italic on" : "italic off"); }
    bool PrintLine(const QString& text) override { return Log("print " + text); }
    bool EndDoc() override { return Log("end"); }
    void Abort() override { d_->printed << "abort"; }
    QString FailureReason() const override { return "paper jam"; }

  private:
    bool Log(const QString& entry) {
        d_->printed << entry;
        return d_->printed.size() != d_->printerFailsAt;
    }
    Desktop* d_;
};

class FakeDesktop : public MessageService,
                    public PrintDialogService,
                    public BrowserService,
                    public BrowserWindow {
  public:
    explicit FakeDesktop(Desktop* d) : d_(d) {}
    void ShowMessage(QWidget*, const QString& text, const QString& title) override {
        d_->messages.push_back({text, title});
    }
    void SetCancelError(bool on) override { d_->cancelError = on; }
    void SetCopies(std::int16_t) override {}
    void SetMinPage(std::int32_t) override {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget*) override {
        if (d_->cancelPrint) return nullptr;
        return std::make_unique<FakePrinter>(d_);
    }
    std::unique_ptr<BrowserWindow> OpenWindow() override {
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
};

inline Platform FakePlatform(Desktop* d) {
    return {std::make_unique<FakeDesktop>(d), std::make_unique<FakeDesktop>(d),
            std::make_unique<FakeDesktop>(d)};
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override { Open(FakePlatform(&desktop_)); }
    void Open(Platform platform) {
        form_ = std::make_unique<Form1>(std::move(platform));
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        // Any real modal dialog is a fault: the doubles show none.
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
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
    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < List()->count(); ++i) lines << List()->item(i)->text();
        return lines;
    }

    // Types into a field as a user would: select all, then type.
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
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
