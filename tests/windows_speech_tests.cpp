// What Windows screen readers are sent, at Qt's boundary: the window on Qt's
// own Windows platform, its UI Automation bridge turned on the way a reader's
// first look turns it on (WM_GETOBJECT), and an update handler in the
// bridge's place that records every event the window sends. (wine has no
// UI Automation client to listen for the notifications themselves.)

#include <gtest/gtest.h>
#include <windows.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "window/form1.h"

namespace {

// UI Automation's object id for the root of a window (UiaRootObjectId).
constexpr LPARAM kUiaRoot = -25;

// Answers nothing and shows nothing: a print dialog that is cancelled.
class QuietDesktop : public MessageService, public PrintDialogService, public BrowserService {
  public:
    void ShowMessage(QWidget*, const QString& text, const QString&) override {
        ADD_FAILURE() << "unexpected message: " << text.toStdString();
    }
    void SetCancelError(bool) override {}
    void SetCopies(std::int16_t) override {}
    void SetMinPage(std::int32_t) override {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget*) override { return nullptr; }
    std::unique_ptr<BrowserWindow> OpenWindow() override { return nullptr; }
};

struct Sent {
    QAccessible::Event type;
    QObject* object;
    QVariant value;  // a value change's
};
std::vector<Sent> sent;  // an update handler is a plain function
void Record(QAccessibleEvent* event) {
    QVariant value;
    if (event->type() == QAccessible::ValueChanged) {
        value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    }
    sent.push_back({event->type(), event->object(), value});
}

// The text values changed, as UI Automation would raise them, from whom.
std::vector<std::pair<QObject*, QString>> Notifications() {
    std::vector<std::pair<QObject*, QString>> said;
    for (const Sent& event : sent) {
        if (event.type == QAccessible::ValueChanged && event.value.typeId() == QMetaType::QString) {
            said.emplace_back(event.object, event.value.toString());
        }
    }
    return said;
}

class WindowsSpeechTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<Form1>(Platform{std::make_unique<QuietDesktop>(),
                                                 std::make_unique<QuietDesktop>(),
                                                 std::make_unique<QuietDesktop>()});
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        SendMessageW(reinterpret_cast<HWND>(form_->winId()), WM_GETOBJECT, 0, kUiaRoot);
        ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
            << "WM_GETOBJECT did not turn the UI Automation bridge on";
        sent.clear();
        QAccessible::installUpdateHandler(Record);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        form_.reset();
    }

    template <typename T = QWidget>
    T* Get(const QString& name) const {
        T* widget = form_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void Press(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }

    std::unique_ptr<Form1> form_;
};

struct Step {
    const char* what;
    std::function<void()> act;
};

// Each announcement reaches the bridge once, as text, from the window, and is
// what the announcer shows (the words themselves are checked on Linux).
TEST_F(WindowsSpeechTest, EveryAnnouncementIsOneTextValueChangeFromTheWindow) {
    auto* shapes = Get<QComboBox>("cmbShapes");
    const auto field = [this](int i) { return Get<QLineEdit>(QString("txtParam(%1)").arg(i)); };
    const std::vector<Step> steps = {
        {"a form chosen from the keyboard",
         [&] {
             ASSERT_EQ(shapes->currentText(), "Round Bar");
             shapes->setFocus();
             QTest::keyClick(shapes, Qt::Key_Up);  // one form on: one announcement
             ASSERT_EQ(shapes->currentText(), "Plate");
         }},
        {"a plate calculated",
         [&] {
             Type(field(0), "0.5");
             Type(field(1), "12");
             Type(field(2), "10");
             Press("cmdCalculate");
         }},
        {"the weight stored", [this] { Press("cmdStoreResult"); }},
        {"a print cancelled", [this] { Press("cmdPrint"); }},
        {"the fields cleared", [this] { Press("cmdClearFields"); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        sent.clear();
        step.act();
        // What the announcer shows (a new form's fields from a zero-time
        // timer), said once (a print's outcome a second after the dialog).
        const auto shown = [this] { return Get<QLabel>("announcer")->text(); };
        const auto announced = [&] {
            std::vector<QObject*> from;
            for (const auto& [object, text] : Notifications()) {
                if (text == shown()) from.push_back(object);
            }
            return from;
        };
        static_cast<void>(QTest::qWaitFor([&] { return !announced().empty(); }, 5000));
        QStringList seen;
        for (const auto& [object, text] : Notifications()) seen << text;
        ASSERT_EQ(announced().size(), 1u)
            << "awaited \"" << shown().toStdString()
            << "\" once; text value changes seen: " << seen.join(" | ").toStdString();
        EXPECT_EQ(announced().front(), form_.get());
        EXPECT_NE(QAccessible::queryAccessibleInterface(form_.get()), nullptr);
    }
}

// UI Automation readers read a field's help text; few read its description.
TEST_F(WindowsSpeechTest, TheWeightsUnitIsTheFieldsHelpText) {
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(Get("txtResult"));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->text(QAccessible::Help), "pounds (lbs.)");
}

}  // namespace
