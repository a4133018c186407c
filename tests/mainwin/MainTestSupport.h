#pragma once

#include <functional>

#include "core/CoreState.h"
#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "mainwin/MainState.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"
#include "sim/PtyServer.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/WindowWaits.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// A fresh program folder with the blank map image and the display files, fresh
// shared state, scripted dialogs and the simulated unit on a pseudo-terminal as
// serial port 1; the main window is loaded on demand, after the test has set the
// state its load reads.
class MainTest : public ::testing::Test, protected FreshState {
protected:
    MainTest() {
        server.setPaced(false);
        QString error;
        if (!server.open(&error))
            ADD_FAILURE() << "simulated unit: " << error.toStdString();
        qputenv("KVR6_COM1", server.devicePath().toLocal8Bit());
        folder.copyData(QStringLiteral("BLANKKVR6.WTS"));
        // The display files as the program folder ships them: without them the
        // window's load tells the user that it has no readouts.
        folder.copyData(QStringLiteral("KVR6SetDisplay.cfg"));
        folder.copyData(QStringLiteral("KVR6SetVariables.cfg"));
        UnitName = QStringLiteral("KVR6");
        OnlineState = QStringLiteral("Offline");
        DealerCompany = QStringLiteral("Fast Lane Motors");
    }
    ~MainTest() override {
        if (window)
            window->C_Pause->stop();
        Unload_All_Windows();
        window.reset();
        qunsetenv("KVR6_COM1");
    }
    frmMain& load() {
        window.reset();
        window = std::make_unique<frmMain>();
        return *window;
    }
    // Loads the window on-line, shown, and waits until the read-out of the unit
    // has finished and live polling runs.
    // wire, when given, attaches a folder's entries before the window is shown.
    frmMain& loadOnline(const std::function<void(frmMain&)>& wire = {}) {
        OnlineState = QStringLiteral("Online");
        frmMain& w = load();
        if (wire)
            wire(w);
        w.show();
        EXPECT_TRUE(Wait_Link_Settled())
            << "the read-out did not finish, CommStatus " << CommStatus;
        return w;
    }
    // The same, and the main window made the active one, as a user's click would.
    frmMain& loadOnlineActive(const std::function<void(frmMain&)>& wire = {}) {
        frmMain& w = loadOnline(wire);
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    // Runs the sequencer's ticks until it stops (at most n ticks).
    int runSequencer(int n = 20) {
        int ticks = 0;
        while (window->C_Pause->isActive() && ticks < n) {
            window->C_Pause_Timer();
            ++ticks;
        }
        return ticks;
    }
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
    sim::Unit unit;
    sim::PtyServer server{unit};
    std::unique_ptr<frmMain> window;
};
