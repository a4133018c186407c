#include "setup/frmScaleRPM.h"

namespace {

ScaleLayout Rpm_Layout() {
    ScaleLayout l{};
    l.formName = "frmScaleRPM";
    l.frame1 = {0, 0, 8535, 6375};
    l.frame4 = {120, 840, 2775, 1575};
    l.inputMin = {120, 600, 735, 285};
    l.inputMax = {120, 960, 735, 285};
    l.label1 = {960, 600, 800, 285};
    l.label10 = {960, 960, 800, 285};
    l.cmdApply = {1800, 1200, 855, 300};
    l.chkActiveMM = {1080, 840, 1695, 255};
    l.frame3 = {3000, 840, 5295, 1575};
    l.chkActiveN = {4680, 840, 1695, 255};
    l.frame2 = {1080, 2520, 6015, 3735};
    l.lblMin = {360, 360, 1150, 255};
    l.lblMinRpm = {1560, 360, 1500, 255};
    l.label2 = {3120, 360, 1300, 255};
    l.lblRPM_Now = {4440, 360, 1250, 255};
    l.lblMax = {5760, 360, 1150, 255};
    l.lblMaxRpm = {6960, 360, 1500, 255};
    l.lblRpmMax = {7200, 2640, 900, 255};
    l.lblRPMmin = {480, 6000, 600, 255};
    l.label8 = {720, 600, 7500, 255};
    l.buttonLeft = 7320;
    l.buttonTops = {4680, 5280, 5880};
    l.label1Text = QStringLiteral("Minimum");
    l.label10Text = QStringLiteral("Maximum");
    l.frame2Text = QStringLiteral("RPM Scale");
    l.lblMinText = QStringLiteral("Minimum RPM");
    l.label2Text = QStringLiteral("RPM at that point");
    l.lblMaxText = QStringLiteral("Maximum RPM");
    l.nowText = QStringLiteral("????");
    l.label8Text =
        QStringLiteral("NOTE : The RPM curve needs to be ascending from minimum to maximum");
    l.helpTexts = {
        QStringLiteral("Click on RPM bar to select it (Red line on top of bar)"),
        QStringLiteral("Use \"Left(4)\" and \"Right(6)\" to select another bar"),
        QStringLiteral("Use \"Up(8)\" to increase the  selected RPM bar by 10 Counts"),
        QStringLiteral("Use \"Down(2)\" to decrease the selected RPM bar by 10 Counts"),
        QStringLiteral("Use \"Pg Up(9)\" and \"Pg Dn(3)\" to change the RPM bar by 100 Counts")};
    return l;
}

} // namespace

frmScaleRPM::frmScaleRPM() : ScaleWindow(Rpm_Layout(), std::make_unique<Scale::RpmEditor>()) {
    Form_Load();
}
