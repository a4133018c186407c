#pragma once

#include "core/CoreState.h"
#include "core/UnitImage.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ResetAllState.h"

#include <gtest/gtest.h>

// A fresh unit image that counts as loaded, at 4 cylinders, for the conversion tests.
class ImageTest : public ::testing::Test, protected FreshState {
protected:
    ImageTest() {
        MapLoaded = -1;
        ParamBlock[Idx_Cylinders] = 4;
    }

    static void setPeriod(int highIndex, int lowIndex, int period) {
        ParamBlock[highIndex] = static_cast<std::int16_t>(period / 256);
        ParamBlock[lowIndex] = static_cast<std::int16_t>(period % 256);
    }
    static void setBreakPoint(int n, int period) {
        setPeriod(Idx_RpmScale + 2 * n, Idx_RpmScale + 2 * n + 1, period);
    }
    static int breakPoint(int n) {
        return ParamBlock[Idx_RpmScale + 2 * n] * 256 + ParamBlock[Idx_RpmScale + 2 * n + 1];
    }

    // AMP input: point 1 at step 1, 0.5; point 2 at step 15, 1.0; table bytes 20 and
    // 230 there. Gives K = 0.5 / 14, C = 0.5 - 0.5 / 14, G = 15, O = 5.
    static void ampCalibration() {
        ParamBlock[Idx_AmpCal0] = 1;
        ParamBlock[Idx_AmpCal1] = 0;
        ParamBlock[Idx_AmpCal5] = 128;
        ParamBlock[Idx_AmpCal2] = 15;
        ParamBlock[Idx_AmpCal3] = 1;
        ParamBlock[Idx_AmpCal4] = 0;
        ParamBlock[Idx_AmpTable + 1] = 20;
        ParamBlock[Idx_AmpTable + 15] = 230;
    }

    // Temperature input: point 1 at step 2, 30; point 2 at step 12, 130; table bytes
    // 40 and 190 there. Gives K = 10, C = 10, G = 15, O = 10.
    static void tempCalibration() {
        ParamBlock[Idx_TempCal0] = 2;
        ParamBlock[Idx_TempCal1] = 30;
        ParamBlock[Idx_TempCal2] = 12;
        ParamBlock[Idx_TempCal3] = 130;
        ParamBlock[Idx_TempTable + 2] = 40;
        ParamBlock[Idx_TempTable + 12] = 190;
    }
};
