#include "platform/Dialogs.h"
#include "platform/FormInstance.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Dialogs;

TEST(Dialogs, ScriptedProviderAnswersInOrderAndRecords) {
    ScriptedProvider script;
    script.answer(Answer::No);
    EXPECT_EQ(msgBox("Sure?", Buttons::YesNo, Icon::Question, "Title"), Answer::No);
    EXPECT_EQ(msgBox("Again?", Buttons::YesNo, Icon::Question, "Title"), Answer::Yes);
    ASSERT_EQ(script.records().size(), 2u);
    EXPECT_EQ(script.records()[0].title, "Title");
    EXPECT_EQ(script.records()[0].text, "Sure?");
    EXPECT_EQ(script.records()[0].icon, Icon::Question);
    EXPECT_EQ(script.records()[1].buttons, Buttons::YesNo);
}

TEST(Dialogs, ScriptedFileDialogsCancelWhenEmpty) {
    ScriptedProvider script;
    script.file("/tmp/a");
    EXPECT_EQ(current().saveFile({"Save", "/tmp", "Logs|*.raw", "raw", ""}), "/tmp/a.raw");
    EXPECT_EQ(current().openFile({"Open", "/tmp", "", "", ""}), QString());
}

TEST(Dialogs, ProviderIsRestoredAfterTheScript) {
    Provider* before = &current();
    {
        ScriptedProvider script;
        EXPECT_EQ(&current(), &script);
    }
    EXPECT_EQ(&current(), before);
}

namespace {
class Probe : public QWidget {
public:
    static constexpr Floor HomeFloor = Floor::Platform;
    Probe() { ++made; }
    static inline int made = 0;
};
} // namespace

TEST(Dialogs, MessagesToldLaterShowOneAtATimeOnceTheCallerHasReturned) {
    // A provider whose box stays open a while, running the event loop inside it
    // as a real modal box does.
    class Modal : public Dialogs::ScriptedProvider {
    public:
        Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons b,
                                Dialogs::Icon i, Dialogs::DefaultButton d) override {
            ++open;
            maxOpen = std::max(maxOpen, open);
            const Dialogs::Answer a = ScriptedProvider::message(title, text, b, i, d);
            if (text == "first") // told while the first is open: waits its turn
                Dialogs::msgBoxLater("second", Dialogs::Icon::Exclamation, "T");
            QTest::qWait(20);
            --open;
            return a;
        }
        int open = 0;
        int maxOpen = 0;
    } modal;
    Dialogs::msgBoxLater("first", Dialogs::Icon::Critical, "T");
    Dialogs::msgBoxLater("first", Dialogs::Icon::Critical, "T"); // waiting already
    EXPECT_TRUE(modal.records().empty()) << "nothing shown inside the caller";
    EXPECT_TRUE(QTest::qWaitFor([&] { return Dialogs::laterWaiting() == 0; }, 5000));
    EXPECT_EQ(modal.texts(), (QStringList{"first", "second"}));
    EXPECT_EQ(modal.maxOpen, 1);
    EXPECT_EQ(modal.records()[0].icon, Dialogs::Icon::Critical);
}

TEST(Dialogs, AMessageToldLaterWhoseBoxFailsLetsTheNextOnesShow) {
    class Failing : public Dialogs::ScriptedProvider {
    public:
        Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons b,
                                Dialogs::Icon i, Dialogs::DefaultButton d) override {
            if (text == "fails")
                throw std::bad_alloc();
            return ScriptedProvider::message(title, text, b, i, d);
        }
    } failing;
    Dialogs::msgBoxLater("fails", Dialogs::Icon::Critical, "T");
    Dialogs::msgBoxLater("next", Dialogs::Icon::Critical, "T");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Dialogs::laterWaiting() == 0; }, 5000))
        << "the later messages stopped at the box that failed";
    EXPECT_TRUE(failing.texts().contains("next"));
    EXPECT_TRUE(std::any_of(failing.records().begin(), failing.records().end(), [](const auto& r) {
        return r.title == "Step not finished";
    })) << "the failed box is told as a stopped step";
}

TEST(FormInstance, OneWindowUntilUnloaded) {
    Probe& a = FormInstance<Probe>::get();
    Probe& b = FormInstance<Probe>::get();
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(Probe::made, 1);
    FormInstance<Probe>::unload();
    EXPECT_FALSE(FormInstance<Probe>::loaded());
    FormInstance<Probe>::get();
    EXPECT_EQ(Probe::made, 2);
    FormInstance<Probe>::unload();
}

TEST(Dialogs, TheWindowWorkedInGetsTheKeyboardBackAfterAMessage) {
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    QtProvider qt;
    qt.message("Title", "Text", Buttons::Ok, Icon::Information, DefaultButton::First);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 2000));
}

// Enter on a box answers its default button, on the real box as in the script.
TEST(Dialogs, EnterGivesTheDefaultButton) {
    struct Case {
        Buttons buttons;
        DefaultButton which;
        Answer expected;
    };
    for (const Case& c : {Case{Buttons::YesNo, DefaultButton::First, Answer::Yes},
                          Case{Buttons::YesNo, DefaultButton::Second, Answer::No},
                          Case{Buttons::YesNoCancel, DefaultButton::Third, Answer::Cancel},
                          Case{Buttons::Ok, DefaultButton::Second, Answer::Ok}}) {
        QTimer::singleShot(50, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        QtProvider qt;
        EXPECT_EQ(qt.message("Title", "Sure?", c.buttons, Icon::Question, c.which), c.expected);
        ScriptedProvider script;
        EXPECT_EQ(msgBox("Sure?", c.buttons, Icon::Question, "Title", c.which), c.expected);
        EXPECT_EQ(script.records().at(0).defaultButton, c.which);
    }
}
