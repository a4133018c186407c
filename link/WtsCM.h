#pragma once

// Unit commands that menus, buttons and the console raise through the send path.

namespace WtsCM {

// Has the whole unit read again (after the requests already waiting).
void Request_Upload();
// Makes map A (B) the unit's active map: "3", 0, 1 (0), CR as a single command.
void Select_Map_A();
void Select_Map_B();
// Resets the unit: "3", 0, 255, CR as a single command.
void Reset_Unit();

} // namespace WtsCM
