#pragma once

#include "setup/ScaleWindow.h"

// The window "Deflection Scale": the 8 deflection break points of the maps in
// percent, set from a minimum and a maximum or bar by bar (Up and Down by 1 %,
// Page Up and Page Down by 10 %), sent to the unit as the parameter row at 144.
class frmScaleDeflect : public ScaleWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Setup;
    frmScaleDeflect();
};
