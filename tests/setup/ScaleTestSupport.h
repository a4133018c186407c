#pragma once

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "mainwin/MainWindow.h"
#include "setup/ScaleEditor.h"
#include "setup/SetupState.h"
#include "sim/SimUnit.h"
#include "tests/support/ResetAllState.h"

#include <gtest/gtest.h>
#include <vector>

// A main window that counts its map redraws.
class CountingMain : public NoMainWindow {
public:
    void Redraw_Shown_Map() override { ++redraws; }
    int redraws = 0;
};

// The simulated unit's factory parameter page in the image, loaded as a map,
// off-line, with the scale editors' state at its start.
class ScaleImageTest : public ::testing::Test, protected FreshState {
protected:
    ScaleImageTest() {
        sim::Unit unit;
        for (int a = 0; a < 256; ++a)
            ParamBlock[a] = static_cast<std::int16_t>(unit.byte(4, a));
        ParamBlock[Idx_Cylinders] = 4;
        MapLoaded = -1;
        OnlineState = OnlineStates::Offline;
        Set_Main(&main);
    }
    ~ScaleImageTest() override { Set_Main(nullptr); }
    static int period(int n) { return ParamBlock[224 + 2 * n] * 256 + ParamBlock[225 + 2 * n]; }
    static void setPeriod(int n, int p) { UnitBytes::Store_Period(224 + 2 * n, 225 + 2 * n, p); }
    static std::vector<int> bytes(int first, int last) {
        std::vector<int> v;
        for (int a = first; a <= last; ++a)
            v.push_back(ParamBlock[a]);
        return v;
    }
    CountingMain main;
};
