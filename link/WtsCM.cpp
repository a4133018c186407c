#include "link/WtsCM.h"

#include "link/SendPath.h"
#include "link/WtsUp.h"

namespace WtsCM {

void Request_Upload() {
    SendPath::Request_Refresh();
}
void Select_Map_A() {
    SendPath::Queue_Command(WtsUp::Map_Select_Frame(1));
}
void Select_Map_B() {
    SendPath::Queue_Command(WtsUp::Map_Select_Frame(0));
}
void Reset_Unit() {
    SendPath::Queue_Command(WtsUp::Map_Select_Frame(255));
}

} // namespace WtsCM
