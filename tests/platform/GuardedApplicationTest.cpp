// An error that leaves an event handler stops that step only: the user is told
// in plain words and the program goes on.

#include "platform/GuardedApplication.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "tests/support/ResetAllState.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// While it lives, what is allocated is not reported as leaked (sanitizer build only).
struct LeaksNotCounted {
#ifdef __SANITIZE_ADDRESS__
    LeaksNotCounted() { __lsan_disable(); }
    ~LeaksNotCounted() { __lsan_enable(); }
#endif
};

class GuardedApplicationTest : public ::testing::Test, protected FreshState {
protected:
    // Runs the event loop until the told messages have been shown.
    void showLater() {
        QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000);
    }
    Dialogs::ScriptedProvider dialogs;
};

TEST_F(GuardedApplicationTest, TheApplicationOfTheTestsIsTheProgramsOwn) {
    EXPECT_NE(dynamic_cast<GuardedApplication*>(QCoreApplication::instance()), nullptr);
}

TEST_F(GuardedApplicationTest, AThrowingClickIsToldAndTheButtonStillWorks) {
    QPushButton button(QStringLiteral("Go"));
    button.resize(120, 40);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] {
        if (++clicks == 1)
            throw KvrError(KvrError::PermissionDenied,
                           QStringLiteral("the file KVRWD.cfg may not be read"));
    });
    {
        // Qt's delivery of the click is unwound by the error and leaves a few
        // bytes of the event behind: the price of the last resort, not a leak of
        // the program's own, so the sanitizer build does not count it.
        const LeaksNotCounted unwound;
        QTest::mouseClick(&button, Qt::LeftButton);
    }
    showLater();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Step not finished"));
    EXPECT_TRUE(dialogs.records()[0].text.contains(
        QStringLiteral("could not be finished: the file KVRWD.cfg may not be read")))
        << dialogs.records()[0].text.toStdString();
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Exclamation);

    // The program goes on: the next click runs the handler again.
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    showLater();
    EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(GuardedApplicationTest, ErrorsOfEveryKindFromTheEventLoopAreTold) {
    struct Case {
        std::function<void()> raise;
        const char* told;
    };
    const std::vector<Case> cases{
        {[] { throw KvrError(KvrError::DiskFull, QStringLiteral("the disk is full")); },
         "the disk is full"},
        {[] { throw std::out_of_range("index 300 outside 0..256"); }, "index 300 outside 0..256"},
        {[] { throw 42; }, "an unknown error"},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        QEventLoop loop;
        bool after = false;
        QTimer::singleShot(0, c.raise);
        QTimer::singleShot(20, [&] {
            after = true;
            loop.quit();
        });
        loop.exec();
        EXPECT_TRUE(after) << "the loop went on after the error";
        showLater();
        ASSERT_EQ(dialogs.records().size(), 1u) << c.told;
        EXPECT_TRUE(dialogs.records()[0].text.contains(QString::fromLatin1(c.told)))
            << dialogs.records()[0].text.toStdString();
    }
}

} // namespace
