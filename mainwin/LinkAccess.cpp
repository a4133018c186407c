#include "mainwin/LinkAccess.h"

// Stand-in until the serial link joins the build: no port, no timer, and a
// progress model without a window.
namespace LinkAccess {

namespace {
QString statusMsg;
bool progressLoaded = false;
QString progressLabel;
int progressValue = 0;
int liveRpm = 0;
} // namespace

void Open_Trace() {}
void Close_Files() {}
void Serial_Port_On() {}
void Serial_Port_Off() {}
void Set_Comm_Interval(int) {}
void Comm_Timer_Tick() {}
void Go_Online() {}
void Go_Offline() {}
void Restart_Comms() {}
void Set_Playback_Speed(int) {}
QString Status_Msg() {
    return statusMsg;
}
void Set_Status_Msg(const QString& text) {
    statusMsg = text;
}
int Unit_Locked() {
    return 0;
}
int Live_Rpm() {
    return liveRpm;
}
void Set_Live_Rpm(int rpm) {
    liveRpm = rpm;
}
void Progress_Show() {
    progressLoaded = true;
}
bool Progress_Loaded() {
    return progressLoaded;
}
QString Progress_Label() {
    progressLoaded = true;
    return progressLabel;
}
void Set_Progress_Label(const QString& text) {
    progressLoaded = true;
    progressLabel = text;
}
int Progress_Value() {
    return progressValue;
}
void Set_Progress_Value(int value) {
    progressLoaded = true;
    progressValue = value;
}
void Progress_Unload() {
    progressLoaded = false;
    progressLabel = QStringLiteral("Download Data");
    progressValue = 0;
}

} // namespace LinkAccess
