#pragma once

#include <QString>

// What the main window asks of the serial link: its port, its timer, its files,
// its state and its progress window, in one place.
namespace LinkAccess {

void Open_Trace();
void Close_Files();
void Serial_Port_On();
void Serial_Port_Off();
void Set_Comm_Interval(int ms);
void Comm_Timer_Tick();
void Go_Online();
void Go_Offline();
void Restart_Comms(); // the next tick starts again from its first state
void Set_Playback_Speed(int recordsPerSecond);

QString Status_Msg();
void Set_Status_Msg(const QString& text);
int Unit_Locked();
int Live_Rpm();
void Set_Live_Rpm(int rpm);

// The progress window.
void Progress_Show();
bool Progress_Loaded();
QString Progress_Label(); // loads the window when it is not loaded
void Set_Progress_Label(const QString& text);
int Progress_Value();
void Set_Progress_Value(int value);
void Progress_Unload();

} // namespace LinkAccess
