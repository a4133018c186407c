#pragma once

#include "core/CoreState.h"
#include "core/UnitImage.h"
#include "link/SendPath.h"
#include "platform/FormInstance.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/Screenshots.h"
#include "view3d/Entries.h"
#include "view3d/Geometry3D.h"
#include "view3d/View3dState.h"
#include "view3d/frm3DDrw.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <gtest/gtest.h>

// The view's own state fresh, with a flat image of four cylinders.
class View3dTest : public ::testing::Test, protected FreshState {
protected:
    View3dTest() { ParamBlock[Idx_Cylinders] = 4; }
};

// The main window with the view's entries wired, the settings files as the
// program folder ships them, and the simulated unit on serial port 1.
class ViewWindowTest : public GridTest {
protected:
    ViewWindowTest() {
        folder.copyData(View3D::SettingsFile);
        folder.copyData(View3D::DefaultSettingsFile);
    }
    frmMain& openWired() {
        frmMain& w = open();
        View3D::Wire_Entries(w);
        return w;
    }
    frmMain& openOnlineWired() {
        return loadOnlineActive([](frmMain& w) { View3D::Wire_Entries(w); });
    }
    // Opens the view through the main window's menu entry.
    frm3DDrw& openView(frmMain& w, QAction* entry) {
        w.Run_Entry(entry);
        EXPECT_TRUE(FormInstance<frm3DDrw>::loaded());
        frm3DDrw& v = FormInstance<frm3DDrw>::get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&v));
        return v;
    }
    std::vector<QByteArray> writesReceived() const {
        std::vector<QByteArray> w;
        for (const QByteArray& f : unit.frames())
            if (SendPath::Is_Write(f))
                w.push_back(f);
        return w;
    }
};
