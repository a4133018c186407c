#pragma once

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "mainwin/Design.h"
#include "mainwin/MainState.h"
#include "tests/mainwin/MainTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

// The main window shown and active with the default map loaded, for driving the
// grid and the entry box with real key and mouse events.
class GridTest : public MainTest {
protected:
    frmMain& open() {
        frmMain& w = load();
        runSequencer();
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            ADD_FAILURE() << "the main window did not become active";
        return w;
    }
    // The link as live polling leaves it (on-line, the unit read and answering),
    // its timer held so that what an edit raises stays in the send path to be read.
    void pollingHeld(frmMain& w) {
        w.Link.Comm_Timer.stop();
        OnlineState = QStringLiteral("Online");
        CommStatus = 10;
        send_receive = 2;
        UnitOnline = 1;
    }
    // A click reaches only a box the user can see.
    void click(QLineEdit* box) {
        if (!box->isVisible()) {
            ADD_FAILURE() << "clicked a hidden box " << box->objectName().toStdString();
            return;
        }
        QTest::mouseClick(box, Qt::LeftButton);
    }
    // Types a text into the entry box, key by key, and presses Enter.
    void enter(const QString& keys) {
        QTest::keyClicks(window->txtEnter, keys);
        QTest::keyClick(window->txtEnter, Qt::Key_Return);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(window->txtEnter, k, mods);
    }
    // One letter per box: W plain, R live, O trail, G selected, ? another colour.
    template <std::size_t N>
    static QString colours(const std::array<QLineEdit*, N>& boxes, int first, int count) {
        QString s;
        for (int i = first; i < first + count; ++i) {
            const QColor c = Design::backColor(boxes[static_cast<std::size_t>(i)]);
            s += c == Design::bgr(Design::PlainCell)      ? QLatin1Char('W')
                 : c == Design::bgr(Design::LiveCell)     ? QLatin1Char('R')
                 : c == Design::bgr(Design::TrailCell)    ? QLatin1Char('O')
                 : c == Design::bgr(Design::SelectedCell) ? QLatin1Char('G')
                                                          : QLatin1Char('?');
        }
        return s;
    }
    template <std::size_t N> static QChar colour(const std::array<QLineEdit*, N>& boxes, int i) {
        return colours(boxes, i, 1).at(0);
    }
    // What the send path holds, oldest first: each request's frames.
    static std::vector<QByteArray> requests() {
        std::vector<QByteArray> all;
        for (const SendRequest& r : SendRequests)
            for (const QByteArray& e : r.elements)
                all.push_back(e);
        return all;
    }
    static QByteArray cellFrame(char page, int address, int byte) {
        QByteArray f(1, page);
        f += static_cast<char>(address);
        f += static_cast<char>(byte);
        f += '\r';
        return f;
    }
};
