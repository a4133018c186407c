// A signal connected through Step::Connect runs its handler as a step: an error
// that leaves the handler stops there, never unwinding into the code that sent
// the signal, and is told; the connection is Qt's own in everything else.

#include "platform/Step.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "tests/support/ResetAllState.h"

#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

class Receiver : public QObject {
public:
    std::vector<int> taken;
    void Take(int value) {
        taken.push_back(value);
        if (value == 7)
            throw KvrError(KvrError::DiskFull, QStringLiteral("the disk is full"));
    }
};

class StepConnectTest : public ::testing::Test, protected FreshState {
protected:
    StepConnectTest() {
        Step::After_Stop = [this] { ++redrawn; };
        slider.setRange(0, 100);
    }
    ~StepConnectTest() override { Step::After_Stop = nullptr; }

    // The messages told later, once the event loop has shown them.
    std::vector<Dialogs::ScriptedProvider::Record> told() {
        EXPECT_TRUE(QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000));
        return dialogs.records();
    }

    Dialogs::ScriptedProvider dialogs;
    QSlider slider;
    int redrawn = 0;
};

TEST_F(StepConnectTest, AMemberHandlerThatThrowsStopsItsStepAndTheNextSignalRunsItAgain) {
    Receiver receiver;
    Step::Connect(&slider, &QSlider::valueChanged, &receiver, &Receiver::Take);
    EXPECT_NO_THROW(slider.setValue(7)) << "the error went back into the slider's own code";
    EXPECT_EQ(redrawn, 1);
    const auto records = told();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].title, QStringLiteral("Step not finished"));
    EXPECT_TRUE(records[0].text.contains(QStringLiteral("could not be finished: the disk is full")))
        << records[0].text.toStdString();

    slider.setValue(8);
    EXPECT_EQ(receiver.taken, (std::vector<int>{7, 8}));
    EXPECT_EQ(redrawn, 1);
}

TEST_F(StepConnectTest, ALambdaTakesAsManyOfTheSignalsValuesAsItWants) {
    QObject context;
    int none = 0;
    std::vector<int> values;
    Step::Connect(&slider, &QSlider::valueChanged, &context, [&none] { ++none; });
    Step::Connect(&slider, &QSlider::valueChanged, &context, [&values](int v) {
        values.push_back(v);
        if (v == 3)
            throw std::out_of_range("index 300 outside 0..256");
    });
    EXPECT_NO_THROW(slider.setValue(3));
    slider.setValue(4);
    EXPECT_EQ(none, 2);
    EXPECT_EQ(values, (std::vector<int>{3, 4}));
    const auto records = told();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].text.contains(QStringLiteral("index 300 outside 0..256")));
}

TEST_F(StepConnectTest, TheConnectionGoesWithItsReceiverAndCanBeUndone) {
    auto receiver = std::make_unique<Receiver>();
    int calls = 0;
    const QMetaObject::Connection c =
        Step::Connect(&slider, &QSlider::valueChanged, receiver.get(), [&calls] { ++calls; });
    Step::Connect(&slider, &QSlider::valueChanged, receiver.get(), &Receiver::Take);
    ASSERT_TRUE(c);
    slider.setValue(1);
    EXPECT_TRUE(QObject::disconnect(c));
    slider.setValue(2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(receiver->taken, (std::vector<int>{1, 2}));
    receiver.reset();
    slider.setValue(3); // calls nothing of the receiver that is gone
    EXPECT_EQ(redrawn, 0);
}

TEST_F(StepConnectTest, QtsOwnSlotsAndSignalsConnectTheSameWay) {
    QPushButton button(QStringLiteral("Close"));
    QWidget window;
    window.show();
    Step::Connect(&button, &QPushButton::clicked, &window, &QWidget::close);
    QSlider follower;
    follower.setRange(0, 100);
    Step::Connect(&slider, &QSlider::valueChanged, &follower, &QSlider::setValue);
    button.click();
    EXPECT_FALSE(window.isVisible());
    slider.setValue(42);
    EXPECT_EQ(follower.value(), 42);
}

} // namespace
