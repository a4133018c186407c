#include "platform/SelfUnloadingWindow.h"
#include "platform/Dialogs.h"
#include "platform/FormInstance.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/WindowWaits.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class ToolWindow : public SelfUnloadingWindow {
public:
    static constexpr Floor HomeFloor = Floor::Platform;
    ToolWindow() { label = new QLabel(QStringLiteral("tool"), this); }
    QLabel* label = nullptr;
};

// Closes the program's modal dialog once it holds the activation, as a user
// who read it would, and notes that it did hold it.
class DialogCloser {
public:
    DialogCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && QApplication::activeWindow() == modal) {
                tookActivation = true;
                modal->close();
            }
        });
        timer_.start(10);
    }
    bool tookActivation = false;

private:
    QTimer timer_;
};

class SelfUnloadingWindowTest : public ::testing::Test, protected FreshState {
protected:
    ~SelfUnloadingWindowTest() override { FormInstance<ToolWindow>::unload(); }

    ToolWindow& openActive() {
        other.show();
        ToolWindow& tool = FormInstance<ToolWindow>::get();
        tool.show();
        tool.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&tool));
        return tool;
    }
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QWidget other;
};

} // namespace

TEST_F(SelfUnloadingWindowTest, ItsOwnMessageBoxOrFileDialogKeepsItOpen) {
    const std::vector<std::pair<const char*, std::function<void()>>> dialogs = {
        {"message box",
         [] {
             Dialogs::QtProvider().message("Title", "Text", Dialogs::Buttons::Ok,
                                           Dialogs::Icon::Exclamation,
                                           Dialogs::DefaultButton::First);
         }},
        {"file dialog",
         [] {
             Dialogs::QtProvider().openFile({"Open", "/tmp", "", "", ""});
         }},
    };
    for (const auto& [name, ask] : dialogs) {
        ToolWindow& tool = openActive();
        DialogCloser closer;
        ask(); // from the window's own handler
        ASSERT_TRUE(closer.tookActivation) << name;
        settle();
        ASSERT_TRUE(FormInstance<ToolWindow>::loaded()) << name;
        EXPECT_TRUE(tool.isVisible()) << name;
    }
}

TEST_F(SelfUnloadingWindowTest, ActivationGoingToAnotherWindowUnloadsItOnceTheLoopReturns) {
    openActive();
    other.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<ToolWindow>());
    EXPECT_TRUE(other.isVisible());

    // Deactivated from inside a handler: the window is still whole when the
    // handler goes on, and gone once the loop has run.
    ToolWindow& again = openActive();
    QPointer<ToolWindow> watch(&again);
    again.Form_Deactivate();
    ASSERT_FALSE(watch.isNull());
    again.label->setText(QStringLiteral("still here"));
    EXPECT_TRUE(again.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 2000));
}

TEST_F(SelfUnloadingWindowTest, KeepOpenHoldsItWhenAnotherWindowIsActivated) {
    ToolWindow& tool = openActive();
    tool.KeepOpen = 1;
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    settle();
    EXPECT_TRUE(FormInstance<ToolWindow>::loaded());

    // Released, it goes at the next loss.
    tool.KeepOpen = 0;
    tool.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
    other.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<ToolWindow>());
}
