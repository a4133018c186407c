#include "sim/SimEngine.h"

#include <algorithm>

namespace sim::Engine {

namespace {

// Straight line from a to b as step runs 0..steps.
int ramp(int a, int b, int step, int steps) {
    return a + (b - a) * step / steps;
}

struct Phase {
    int rpm;
    int deflection;
};

Phase phaseAt(int p) {
    constexpr int IdleLoad = 20;
    constexpr int FreeRevLoad = 60;
    constexpr int FullLoad = 230;
    if (p < 60) // idling
        return {IdleRpm, IdleLoad};
    if (p < 120) // blipping the throttle in neutral
        return {ramp(IdleRpm, FreeRevRpm, p - 60, 60), ramp(IdleLoad, FreeRevLoad, p - 60, 60)};
    if (p < 150) // falling back to idle
        return {ramp(FreeRevRpm, IdleRpm, p - 120, 30), ramp(FreeRevLoad, IdleLoad, p - 120, 30)};
    if (p < 240) // pulling away, loading up
        return {ramp(1500, FullLoadRpm, p - 150, 90), ramp(FreeRevLoad, FullLoad, p - 150, 90)};
    // coasting down
    return {ramp(FullLoadRpm, IdleRpm, p - 240, 60), ramp(FullLoad, IdleLoad, p - 240, 60)};
}

} // namespace

EngineState at(int poll) {
    const int n = std::max(poll, 0);
    const Phase phase = phaseAt(n % CyclePolls);
    EngineState s;
    // A little unsteadiness, as a real engine never holds its speed exactly.
    s.rpm = phase.rpm + (n * 37) % 21 - 10;
    s.deflection = std::clamp(phase.deflection + (n * 13) % 5 - 2, 0, 255);
    s.analogIn = std::clamp(25 + s.deflection * 3 / 4, 0, 255);
    // Lean when the throttle is closed, rich under load.
    s.lambda = std::clamp(60 + s.deflection * 2 / 3 + (n * 7) % 9, 0, 255);
    // Warms up from cold over the first two thousand polls.
    s.engineTemp = std::min(50 + n / 16, 175);
    s.ampIn = std::clamp(40 + s.deflection * 4 / 5, 0, 255);
    return s;
}

} // namespace sim::Engine
