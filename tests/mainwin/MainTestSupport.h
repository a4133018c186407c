#pragma once

#include "core/CoreState.h"
#include "mainwin/MainState.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"
#include "tests/support/TempProgramFolder.h"

#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// A fresh program folder with the blank map image, fresh shared state and
// scripted dialogs; the main window is loaded on demand, after the test has set
// the state its load reads.
class MainTest : public ::testing::Test {
protected:
    MainTest() {
        ResetCoreState();
        ResetMainState();
        folder.copyData(QStringLiteral("BLANKKVR6.WTS"));
        UnitName = QStringLiteral("KVR6");
        OnlineState = QStringLiteral("Offline");
        DealerCompany = QStringLiteral("Fast Lane Motors");
    }
    ~MainTest() override {
        if (window)
            window->C_Pause->stop();
        window.reset();
        ResetCoreState();
        ResetMainState();
    }
    frmMain& load() {
        window.reset();
        window = std::make_unique<frmMain>();
        return *window;
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
    std::unique_ptr<frmMain> window;
};
