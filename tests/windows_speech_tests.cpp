// What Windows screen readers are sent, at Qt's boundary: the window on Qt's
// own Windows platform, its UI Automation bridge turned on the way a reader's
// first look turns it on (WM_GETOBJECT), and an update handler in the
// bridge's place that records every event the window sends. (wine has no
// UI Automation client to listen for the notifications themselves.)

#include <gtest/gtest.h>
#include <windows.h>

#include <QAccessible>
#include <functional>

#include "window_fixture.h"

namespace {

// UI Automation's object id for the root of a window (UiaRootObjectId).
constexpr LPARAM kUiaRoot = -25;

// The text values changed, as UI Automation would raise them, and from whom
// (an update handler is a plain function).
std::vector<std::pair<QObject*, QString>> sent;
void Record(QAccessibleEvent* event) {
    if (event->type() != QAccessible::ValueChanged) return;
    const QVariant value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    if (value.typeId() == QMetaType::QString) sent.emplace_back(event->object(), value.toString());
}

class WindowsSpeechTest : public WindowFixture {
  protected:
    void SetUp() override {
        Open(nullptr, false);
        SendMessageW(reinterpret_cast<HWND>(form_->winId()), WM_GETOBJECT, 0, kUiaRoot);
        ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
            << "WM_GETOBJECT did not turn the UI Automation bridge on";
        sent.clear();
        QAccessible::installUpdateHandler(Record);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        EXPECT_TRUE(desktop_.messages.empty()) << desktop_.messages.front()[0].toStdString();
    }
};

// Each announcement reaches the bridge once, as text, from the window, and is
// what the announcer shows (the words themselves are checked on Linux).
TEST_F(WindowsSpeechTest, EveryAnnouncementIsOneTextValueChangeFromTheWindow) {
    auto* shapes = Get<QComboBox>("cmbShapes");
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"a form chosen from the keyboard",
         [&] {
             ASSERT_EQ(shapes->currentText(), "Round Bar");
             shapes->setFocus();
             QTest::keyClick(shapes, Qt::Key_Up);  // one form on: one announcement
             ASSERT_EQ(shapes->currentText(), "Plate");
         }},
        {"a plate calculated",
         [this] {
             Calculate({"0.5", "12", "10"});
         }},
        {"the weight stored", [this] { Press("cmdStoreResult"); }},
        {"a print cancelled", [this] { Press("cmdPrint"); }},
        {"the fields cleared", [this] { Press("cmdClearFields"); }},
    };
    for (const auto& [what, act] : steps) {
        SCOPED_TRACE(what);
        sent.clear();
        act();
        // What the announcer shows (a new form's fields from a zero-time
        // timer), said once (a print's outcome a second after the dialog).
        QStringList seen;
        const auto senders = [&] {
            std::vector<QObject*> from;
            seen.clear();
            for (const auto& [object, text] : sent) {
                seen << text;
                if (text == Said()) from.push_back(object);
            }
            return from;
        };
        static_cast<void>(QTest::qWaitFor([&] { return !senders().empty(); }, 5000));
        EXPECT_EQ(senders(), std::vector<QObject*>{form_.get()})
            << "awaited \"" << Said().toStdString()
            << "\" once from the window; text value changes seen: "
            << seen.join(" | ").toStdString();
    }
}

// UI Automation readers read a field's help text; few read its description.
TEST_F(WindowsSpeechTest, TheWeightsUnitIsTheFieldsHelpText) {
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(Get("txtResult"));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->text(QAccessible::Help), "pounds (lbs.)");
}

}  // namespace
