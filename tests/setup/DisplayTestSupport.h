#pragma once

#include "platform/FormInstance.h"
#include "setup/Entries.h"
#include "setup/SetupState.h"
#include "setup/frmSetup.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/Screenshots.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

// The main window with the setup folder's entries wired, the display files as
// shipped in the program folder; the display set-up screen opened through its
// button, driven by keys and mouse.
class DisplayWindowTest : public GridTest {
protected:
    // The main window off-line with the default map loaded, its entries wired.
    frmMain& openMain() {
        frmMain& w = open();
        Setup::Wire_Entries(w);
        return w;
    }
    frmSetup& openSetup(frmMain& w) {
        EXPECT_TRUE(w.cmdSetDisplay->isEnabled());
        QTest::mouseClick(w.cmdSetDisplay, Qt::LeftButton);
        frmSetup* setup = FormInstance<frmSetup>::ifLoaded();
        if (!setup) {
            ADD_FAILURE() << "the display set-up screen did not open";
            return FormInstance<frmSetup>::get();
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(setup));
        return *setup;
    }
    // The shown row whose label reads so, or -1.
    static int rowOf(const frmSetup& s, const QString& label) {
        for (int k = 0; k < s.Shown_Rows(); ++k)
            if (s.lblName[k]->text() == label)
                return k;
        return -1;
    }
    static QStringList items(const QComboBox* list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->itemText(i);
        return all;
    }
    // Chooses an item as a user does: a click opens the list, the arrow keys move
    // to the item and Enter takes it.
    static void pick(QComboBox* list, const QString& item) {
        const int target = list->findText(item);
        ASSERT_GE(target, 0) << item.toStdString() << " is not offered in "
                             << items(list).join(' ').toStdString();
        QTest::mouseClick(list, Qt::LeftButton);
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 5000));
        view->setFocus();
        for (int i = list->currentIndex(); i < target; ++i)
            QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 5000));
    }
    // Types over a box's whole text, key by key.
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    // Shows the advanced columns with the button's own key.
    static void advancedOn(frmSetup& s) {
        if (AdvSettingsOn == 1)
            return;
        s.cmdAdvance->setFocus();
        QTest::keyClick(s.cmdAdvance, Qt::Key_Space);
        ASSERT_EQ(AdvSettingsOn, 1);
    }
    // The ticked rows, by index.
    static std::vector<int> ticked(const frmSetup& s) {
        std::vector<int> rows;
        for (int k = 0; k < s.Shown_Rows(); ++k)
            if (s.chkP[k]->isChecked())
                rows.push_back(k);
        return rows;
    }
    // The data lines of the display file as it stands.
    QStringList fileRows() const {
        const QStringList lines =
            QString::fromLatin1(folder.read(QStringLiteral("KVR6SetDisplay.cfg")))
                .split(QStringLiteral("\r\n"));
        const qsizetype start = lines.indexOf(QStringLiteral("Display IN:"));
        const qsizetype end = lines.indexOf(QStringLiteral("END Display:"));
        if (start < 0 || end < start)
            return {};
        return lines.mid(start + 1, end - start - 1);
    }
    // Field n (1..8) of a written row line, without its padding.
    static QString field(const QString& line, int n) { return line.section(',', n, n).trimmed(); }
};
