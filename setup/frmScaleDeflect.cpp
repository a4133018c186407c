#include "setup/frmScaleDeflect.h"

namespace {

ScaleLayout Deflect_Layout() {
    ScaleLayout l{};
    l.formName = "frmScaleDeflect";
    l.frame1 = {0, 0, 8535, 6495};
    l.frame4 = {120, 840, 2775, 1695};
    l.inputMin = {120, 600, 495, 285};
    l.inputMax = {120, 960, 495, 285};
    l.label1 = {600, 600, 1100, 285};
    l.label10 = {600, 960, 1100, 285};
    l.cmdApply = {1800, 1200, 855, 300};
    l.chkActiveMM = {1080, 840, 1695, 255};
    l.frame3 = {3000, 840, 5415, 1695};
    l.chkActiveN = {4440, 840, 1695, 255};
    l.frame2 = {1920, 2640, 3135, 3735};
    l.lblMin = {360, 360, 1400, 255};
    l.lblMinRpm = {1800, 360, 1200, 255};
    l.label2 = {3120, 360, 1650, 255};
    l.lblRPM_Now = {4800, 360, 800, 255};
    l.lblMax = {5640, 360, 1650, 255};
    l.lblMaxRpm = {7320, 360, 1100, 255};
    l.lblRpmMax = {5160, 2760, 900, 255};
    l.lblRPMmin = {1320, 6120, 600, 255};
    l.label8 = {720, 600, 7500, 255};
    l.buttonLeft = 7320;
    l.buttonTops = {4800, 5400, 6000};
    l.label1Text = QStringLiteral("% Minimum");
    l.label10Text = QStringLiteral("% Maximum");
    l.frame2Text = QStringLiteral("Analog Scale");
    l.lblMinText = QStringLiteral("Minimum Deflection");
    l.label2Text = QStringLiteral("Deflection at that point");
    l.lblMaxText = QStringLiteral("Maximum Deflection");
    l.nowText = QStringLiteral("??.? %");
    l.label8Text =
        QStringLiteral("NOTE : The Deflection curve needs to be ascending from minimum to maximum");
    l.helpTexts = {
        QStringLiteral("Click on Deflection bar to select it (Red line on top of bar)"),
        QStringLiteral("Use \"Left(4)\" and \"Right(6)\" to select another bar"),
        QStringLiteral("Use \"Up(8)\" to increase the  selected Deflection bar by 1 Count"),
        QStringLiteral("Use \"Down(2)\" to decrease the selected Deflection bar by 1 Count"),
        QStringLiteral(
            "Use \"Pg Up(9)\" and \"Pg Dn(3)\" to change the Deflection bar by 10 Cnts")};
    return l;
}

} // namespace

frmScaleDeflect::frmScaleDeflect()
    : ScaleWindow(Deflect_Layout(), std::make_unique<Scale::DeflectionEditor>()) {
    Form_Load();
}
