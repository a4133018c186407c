#pragma once

#include <vector>

// The floors of the folders, lowest first. A folder uses only those below it,
// so a window or a state group of a higher floor may hold on to one of a lower
// floor, never the other way round. Folders side by side share a floor.
enum class Floor : int {
    Platform = 0,
    Core = 1,
    Link = 2,
    Mainwin = 3,
    Library = 4,
    Contact = 5,
    Wiring = 5,
    Backup = 5,
    Setup = 5,
    View3d = 5,
};

// Every state group and every window knows its way back to the start: each
// folder's state file starts its group through Start_Group (the line that also
// sets the start values before the program starts, in the object that defines
// the state, so whatever uses the state brings its reset along), and every
// FormInstance<T> records its window kind when it creates the window. What a
// folder holds beside its state variables (a model, a hook table, a singleton)
// is let go of in that folder's Let_Go, a list kept by hand: a model left out
// of it keeps its state from one test into the next. Reset_All puts everything
// back; only the tests call it.
namespace StateReset {

// Sets a state group's start values now and records them, with what the
// group lets go of first (a recording to close, a model, hooks; none when
// null). Returns true, for the state file's start-up line.
bool Start_Group(Floor floor, void (*startValues)(), void (*letGo)() = nullptr);

// A window kind, recorded by FormInstance<T> each time it creates its window.
struct WindowKind {
    const char* name;
    Floor floor;
    bool (*loaded)();
    void (*unload)();
};
void Window_Made(const WindowKind& kind);

// The window kinds made so far, in the order they go: the upper floors' first,
// on a floor the one made last first (a window opened from another goes before
// it).
std::vector<WindowKind> Windows();

// Unloads every window made so far, in that order; the state stays as it is.
void Unload_All_Windows();

// Unloads every window, lets go of what each group holds (upper floors first),
// then sets every group's start values (lower floors first).
void Reset_All();

} // namespace StateReset
