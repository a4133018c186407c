// A stopped step draws the screens anew: the main window's After_Stop first, then
// every window that follows Step::Redraws() while it lives; a redraw that stops
// is told and draws nothing anew again.

#include "platform/Dialogs.h"
#include "platform/Step.h"
#include "tests/support/ResetAllState.h"

#include <QObject>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

// A window that draws the image, as far as the stop sees it.
class Drawing : public QObject {
public:
    Drawing(QStringList& log, QString name) : log_(log), name_(std::move(name)) {}
    void Redraw_After_Stop() {
        log_ << name_;
        if (fails)
            throw std::runtime_error("the redraw ran short");
    }
    bool fails = false;

private:
    QStringList& log_;
    QString name_;
};

class StepRedrawTest : public ::testing::Test, protected FreshState {
protected:
    StepRedrawTest() {
        Step::After_Stop = [this] { log << QStringLiteral("main"); };
    }
    ~StepRedrawTest() override { Step::After_Stop = {}; }
    static void stop() {
        Step::Run([] { throw std::bad_alloc(); });
    }
    // The titles of the boxes told, once the event loop has shown them.
    QStringList told() {
        EXPECT_TRUE(QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000));
        QStringList titles;
        for (const auto& r : dialogs.records())
            titles << r.title;
        return titles;
    }
    Dialogs::ScriptedProvider dialogs;
    QStringList log;
};

} // namespace

TEST_F(StepRedrawTest, AStopDrawsTheMainWindowThenEveryWindowThatFollowsWhileItLives) {
    auto view = std::make_unique<Drawing>(log, QStringLiteral("view"));
    Drawing editor(log, QStringLiteral("editor"));
    Step::Follow_Stops(view.get(), &Drawing::Redraw_After_Stop);
    Step::Follow_Stops(&editor, &Drawing::Redraw_After_Stop);

    stop();
    EXPECT_EQ(log, (QStringList{"main", "view", "editor"}));
    EXPECT_EQ(told(), QStringList{"Step not finished"});

    // A window gone follows no more; a step that goes through redraws nothing.
    log.clear();
    view.reset();
    Step::Run([] {});
    EXPECT_TRUE(log.isEmpty());
    stop();
    EXPECT_EQ(log, (QStringList{"main", "editor"}));
}

TEST_F(StepRedrawTest, ARedrawThatStopsIsToldAndTheOthersStillDraw) {
    Drawing failing(log, QStringLiteral("failing"));
    Drawing next(log, QStringLiteral("next"));
    failing.fails = true;
    Step::Follow_Stops(&failing, &Drawing::Redraw_After_Stop);
    Step::Follow_Stops(&next, &Drawing::Redraw_After_Stop);

    stop();
    EXPECT_EQ(log, (QStringList{"main", "failing", "next"})) << "drawn once each, none again";
    const QStringList titles = told();
    ASSERT_FALSE(titles.isEmpty());
    for (const QString& t : titles)
        EXPECT_EQ(t, QStringLiteral("Step not finished"));
    ASSERT_FALSE(dialogs.records().empty());
    EXPECT_TRUE(dialogs.records().back().text.contains(QStringLiteral("the redraw ran short")));

    // The next stop draws them all again.
    log.clear();
    failing.fails = false;
    stop();
    EXPECT_EQ(log, (QStringList{"main", "failing", "next"}));
}
