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
#include <cmath>
#include <gtest/gtest.h>

// A surface with relief: a hill around node (4, 2) and a hollow around node
// (11, 5), as the value a cell shows (-30..40), and the bytes each map keeps
// for it (analog signed, injection from 60, ignition three counts a unit, so
// that its degrees show as much relief).
inline int Relief(int row, int column) {
    const double hill =
        std::exp(-((row - 4) * (row - 4) / 6.0 + (column - 2) * (column - 2) / 3.0));
    const double hollow =
        std::exp(-((row - 11) * (row - 11) / 6.0 + (column - 5) * (column - 5) / 3.0));
    return static_cast<int>(std::lround(40 * hill - 30 * hollow));
}
struct ReliefBytes {
    int analog, injection, ignition;
};
inline ReliefBytes Relief_Bytes(int row, int column) {
    const int v = Relief(row, column);
    return {v & 0xFF, 60 + v, (3 * v) & 0xFF};
}
// The relief in all three maps of the image (analog at 128 + offset of
// Map5Image, injection in Map6Image, ignition at the offset of Map5Image).
inline void Fill_Relief() {
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 16; ++r) {
            const ReliefBytes b = Relief_Bytes(r, c);
            Map5Image[128 + c * 16 + r] = static_cast<std::int16_t>(b.analog);
            Map6Image[c * 16 + r] = static_cast<std::int16_t>(b.injection);
            Map5Image[c * 16 + r] = static_cast<std::int16_t>(b.ignition);
        }
}

// A view turned from the start: steeper, narrower rows, columns rising to the
// right, the surface upside down; every node stays inside the drawing. Twist
// is moved before Width, so that Width gives the column step.
inline constexpr View3D::SliderValues TwistedView{-6, 1600, 3600, 120, 200, 3000};

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
