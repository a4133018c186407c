// Text readings, bar indicators and the strip chart: the entry points the
// receive handler, the load and the display set-up call.

#include "mainwin/frmMain.h"

void frmMain::Plot_Setup() {}
void frmMain::Plot_Clear() {}
void frmMain::Plot_Graph() {}
void frmMain::Bar_Draw() {}
void frmMain::Bar_Clear() {}
void frmMain::Text_Values() {}
void frmMain::RPM_Bar_movement() {}
void frmMain::Set_RPM_Indication_BAR() {}
