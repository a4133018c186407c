#pragma once

// Puts every piece of shared state back to its start: every window made so far
// is unloaded (the upper folders' first), each state group lets go of what it
// holds (the main window in use, the hooks, the progress and play-back models,
// the open logs and the trace) and gets its start values again. Nothing is
// listed here: each folder's state file records its group and FormInstance<T>
// records each window kind it creates (platform/StateReset.h). Every fixture
// calls it when it starts and when it ends, so no test sees what another left
// behind.
void ResetAllState();

// Unloads every window made so far (each FormInstance<T>), the upper folders'
// first; the state stays as it is. A fixture that owns a main window calls it
// before the main window goes, so no window outlives the one it was opened
// from.
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
