#pragma once

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "setup/OptionsMap.h"
#include "setup/SetupState.h"
#include "sim/SimUnit.h"
#include "tests/support/ResetAllState.h"

#include <gtest/gtest.h>

// The simulated unit's factory parameter page in the image, loaded as a map, with
// the mode tables filled as the screen's load fills them.
class ParamImageTest : public ::testing::Test, protected FreshState {
protected:
    ParamImageTest() {
        OptionsMap::Fill_Mode_Tables();
        sim::Unit unit;
        for (int a = 0; a < 256; ++a)
            ParamBlock[a] = static_cast<std::int16_t>(unit.byte(4, a));
        // The factory's switch RPM of 0xFFFF is no period; start with it off.
        ParamBlock[Idx_SwitchRpm] = 0;
        ParamBlock[Idx_SwitchRpmLow] = 0;
        MapLoaded = -1;
    }
    // Opens: the controls as the screen shows them, kept as shown.
    OptionsMap::Controls open() {
        OptionsMap::Controls c;
        OptionsMap::Set_New_Values(c);
        shown = c;
        return c;
    }
    bool save(const OptionsMap::Controls& c) { return OptionsMap::Save_Values(c, shown); }
    // Saves as if every label had been typed anew: each row goes through its
    // inverse conversion.
    bool saveEdited(const OptionsMap::Controls& c) {
        OptionsMap::Controls nothing;
        nothing.cylinders = -1;
        return OptionsMap::Save_Values(c, nothing);
    }
    ImageTable block() const { return ParamBlock; }

    OptionsMap::Controls shown;
    Dialogs::ScriptedProvider dialogs;
};
