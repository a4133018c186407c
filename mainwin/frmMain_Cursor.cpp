// The live cursor and its trail on the map grid and the AMP column.

#include "mainwin/frmMain.h"

void frmMain::Cursor_Movement() {}
void frmMain::Clear_Map_Cursor() {}
void frmMain::Clear_AMP_Cursor() {}
