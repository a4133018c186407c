#include "platform/StateReset.h"

#include <algorithm>
#include <cstdint>

namespace StateReset {

namespace {

struct Group {
    Floor floor;
    void (*startValues)();
    void (*letGo)();
};

struct MadeWindow {
    WindowKind kind;
    std::uint64_t made; // when its window was last created
};

// Built on first use: the state files register while the program's statics
// are being set up, in no order that could be relied on.
std::vector<Group>& groups() {
    static std::vector<Group> all;
    return all;
}

std::vector<MadeWindow>& windows() {
    static std::vector<MadeWindow> all;
    return all;
}

std::uint64_t& lastMade() {
    static std::uint64_t count = 0;
    return count;
}

} // namespace

bool Start_Group(Floor floor, void (*startValues)(), void (*letGo)()) {
    startValues();
    groups().push_back({floor, startValues, letGo});
    return true;
}

void Window_Made(const WindowKind& kind) {
    auto& all = windows();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&](const MadeWindow& w) { return w.kind.unload == kind.unload; });
    if (it != all.end())
        it->made = ++lastMade();
    else
        all.push_back({kind, ++lastMade()});
}

std::vector<WindowKind> Windows() {
    std::vector<MadeWindow> order = windows();
    std::sort(order.begin(), order.end(), [](const MadeWindow& a, const MadeWindow& b) {
        if (a.kind.floor != b.kind.floor)
            return a.kind.floor > b.kind.floor;
        return a.made > b.made;
    });
    std::vector<WindowKind> kinds;
    for (const MadeWindow& w : order)
        kinds.push_back(w.kind);
    return kinds;
}

void Unload_All_Windows() {
    for (const WindowKind& kind : Windows())
        kind.unload();
}

void Reset_All() {
    // The windows go first, so none reacts to the state being put back.
    Unload_All_Windows();
    std::vector<Group> order = groups();
    std::stable_sort(order.begin(), order.end(),
                     [](const Group& a, const Group& b) { return a.floor > b.floor; });
    for (const Group& g : order)
        if (g.letGo)
            g.letGo();
    std::stable_sort(order.begin(), order.end(),
                     [](const Group& a, const Group& b) { return a.floor < b.floor; });
    for (const Group& g : order)
        g.startValues();
}

} // namespace StateReset
