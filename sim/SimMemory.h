#pragma once

#include <array>
#include <cstdint>

namespace sim {

// Addresses inside the unit that the simulated unit itself works with.
namespace Addr {
inline constexpr int Cylinders = 145;   // page 4
inline constexpr int DeflScale = 152;   // page 4, 8 break points
inline constexpr int TempTable = 160;   // page 4, 16 break points
inline constexpr int AmpTable = 176;    // page 4, 16 break points
inline constexpr int MaxRecords = 204;  // page 4, 204..207
inline constexpr int RpmScale = 224;    // page 4, 16 periods, high byte first
inline constexpr int IgnMap = 0;        // page 5
inline constexpr int AnaMap = 128;      // page 5
inline constexpr int InjMap = 0;        // page 6
inline constexpr int AmpColumns = 128;  // page 6, three columns of 16
inline constexpr int UserText = 0;      // text area, 32 characters
inline constexpr int TestRecords = 32;  // text area, six records of 16
inline constexpr int Description = 128; // text area, 63 characters
inline constexpr int NoTuneFlag = 191;  // text area: 170 = maps locked
inline constexpr int WiringName = 208;  // text area, 16 characters
} // namespace Addr

inline constexpr int NoTuneOn = 170;
inline constexpr double TimerClock = 4687500.0;

// The unit's memory: page 4 (parameters and both map identifiers), pages 5 and 6
// once for each map set (index 0 map A, 1 map B) and the text area.
struct Memory {
    using Page = std::array<std::uint8_t, 256>;
    Page page4{};
    std::array<Page, 2> page5{};
    std::array<Page, 2> page6{};
    Page text{};

    // The image a unit leaves the factory with.
    static Memory factory();
};

} // namespace sim
