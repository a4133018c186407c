#pragma once

// Puts every piece of shared state back to its start: the state groups of every
// folder (core, link, mainwin, library, setup, view3d), the link's hook table and
// the other hooks the main window fills, the main window in use, the progress and
// play-back models, the open logs and the trace, and unloads every window of
// every folder. A new state group adds its reset here, a new window its
// FormInstance<T>::unload() (the test support links every folder's library). Every fixture calls it
// when it starts and when it ends, so no test sees what another left behind.
void ResetAllState();

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
