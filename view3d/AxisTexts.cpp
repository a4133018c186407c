#include "view3d/AxisTexts.h"

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "link/LinkState.h"

namespace View3D {

AxisTexts Axis_Texts() {
    const int bar = BarValue;
    const WtsUp::AxisLabels labels = WtsUp::Set_Axis_Labels(LiveRpm);
    BarValue = bar;
    return {labels.lblrpm, labels.lblDef};
}

} // namespace View3D
