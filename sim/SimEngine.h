#pragma once

namespace sim {

// What the engine is doing at one poll: the inputs the unit measures.
struct EngineState {
    int rpm = 0;        // 0 = engine stopped
    int deflection = 0; // load signal as the unit reads it, 0..255 (5 V = 255)
    int analogIn = 0;   // analog sensor input, 0..255 (10 V = 255)
    int lambda = 0;     // oxygen sensor input, 0..255
    int engineTemp = 0; // engine temperature input, 0..255
    int ampIn = 0;      // AMP input, 0..255
    bool operator==(const EngineState&) const = default;
};

// A car on a test drive, one step per poll: it idles, revs up free and back,
// then pulls away under load up to high revs and coasts back to idle, over and
// over, while the engine warms up. The same poll number always gives the same
// state, so tests can predict every reading.
namespace Engine {
inline constexpr int CyclePolls = 300;
inline constexpr int IdleRpm = 850;
inline constexpr int FreeRevRpm = 4500;
inline constexpr int FullLoadRpm = 6000;
EngineState at(int poll);
} // namespace Engine

} // namespace sim
