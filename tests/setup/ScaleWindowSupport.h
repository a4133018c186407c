#pragma once

#include "core/AxisLabels.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "platform/FormInstance.h"
#include "setup/Entries.h"
#include "setup/SetupState.h"
#include "setup/frmScaleDeflect.h"
#include "setup/frmScaleRPM.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The main window with the setup folder's entries wired and the simulated unit on
// serial port 1; the scale editors are opened through their menu entries and
// driven with real keys and clicks. FreshState unloads them and resets their state.
class ScaleWindowTest : public GridTest {
protected:
    frmMain& openWired() {
        frmMain& w = open();
        Setup::Wire_Entries(w);
        return w;
    }
    frmMain& openOnlineWired() {
        OnlineState = QStringLiteral("Online");
        frmMain& w = load();
        Setup::Wire_Entries(w);
        w.show();
        EXPECT_TRUE(Wait_Link_Settled())
            << "the read-out did not finish, CommStatus " << CommStatus;
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    template <class T> T& choose(QAction* entry) {
        EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
        window->Run_Entry(entry);
        T* editor = FormInstance<T>::ifLoaded();
        EXPECT_NE(editor, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        return *editor;
    }
    frmScaleRPM& openRpm() { return choose<frmScaleRPM>(window->mnuRpm); }
    frmScaleDeflect& openDeflection() { return choose<frmScaleDeflect>(window->mnuAnalog); }
    // A key as the user presses it: to whatever control of the window has the focus.
    static void press(ScaleWindow& w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                      int times = 1) {
        for (int i = 0; i < times; ++i) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == &w ? focus : &w, key, mods);
        }
    }
    // Types over an entry's text, clicking into it first as the user does.
    static void type(QLineEdit* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    // A click on bar i of the chart (its column, above the bar's foot).
    static void clickBar(ScaleWindow& w, int i) {
        const QPoint at(Design::px(Scale::BarLeft + Scale::BarPitch * i + 150),
                        Design::px(Scale::Baseline - 60));
        QTest::mouseClick(w.Frame2, Qt::LeftButton, {}, at);
    }
    static std::vector<int> bytes(int first, int last) {
        std::vector<int> v;
        for (int a = first; a <= last; ++a)
            v.push_back(ParamBlock[a]);
        return v;
    }
    std::vector<int> unitBytes(int first, int last) const {
        std::vector<int> v;
        for (int a = first; a <= last; ++a)
            v.push_back(unit.byte(4, a));
        return v;
    }
    QString notice() const { return window->StatusPanel[SendRule::NoticePanel]->text(); }
    // The main window's RPM and deflection labels as the stored points give them.
    void expectAxisLabelsFollowTheImage() const {
        const WtsUp::AxisLabels labels = WtsUp::Set_Axis_Labels(LiveRpm);
        for (int n = 0; n < 16; ++n)
            EXPECT_EQ(window->lblrpm[n]->text(), labels.lblrpm[n]) << "RPM label " << n;
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(window->lblDef[i]->text(), labels.lblDef[i]) << "deflection label " << i;
    }
};
