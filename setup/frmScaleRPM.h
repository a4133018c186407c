#pragma once

#include "setup/ScaleWindow.h"

// The window "RPM Scale": the 16 RPM break points of the maps, set from a
// minimum and a maximum or bar by bar (Up and Down by 10 RPM, Page Up and Page
// Down by 100), sent to the unit as the two parameter rows at 224 and 240.
class frmScaleRPM : public ScaleWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Setup;
    frmScaleRPM();
};
