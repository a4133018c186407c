#pragma once

// Puts every piece of shared state back to its start: the state groups of every
// folder (core, link, mainwin, library, setup, view3d), the link's hook table and
// the other hooks the main window fills, the main window in use, the progress and
// play-back models, the open logs and the trace, and unloads every window of
// every folder. A new state group adds its reset here, a new window its
// FormInstance<T>::unload() (the test support links every folder's library). Every fixture calls it
// when it starts and when it ends, so no test sees what another left behind.
void ResetAllState();

// Unloads every window of every folder (each FormInstance<T>), the upper
// folders' first; the state stays as it is. A fixture that owns a main window
// calls it before the main window goes, so no window outlives the one it was
// opened from.
void Unload_All_Windows();

// A fixture's first base after ::testing::Test: the state is reset before the
// fixture's members are made (a hook recorder among them keeps its hooks) and
// again once they are all gone.
class FreshState {
protected:
    FreshState() { ResetAllState(); }
    ~FreshState() { ResetAllState(); }
    FreshState(const FreshState&) = delete;
    FreshState& operator=(const FreshState&) = delete;
};
