#include "platform/Dialogs.h"
#include "platform/FormInstance.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
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
    Probe() { ++made; }
    static inline int made = 0;
};
} // namespace

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
