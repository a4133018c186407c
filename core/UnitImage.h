#pragma once

#include "platform/KvrError.h"

#include <array>
#include <cstdint>

// One table of the unit image: 257 entries, index 0..256, one unit byte per
// entry. Every access checks its index: an index outside 0..256 is refused with
// error 9 and nothing is read or written.
class ImageTable {
public:
    static constexpr int Size = 257;

    std::int16_t& operator[](int index) { return cells_[checked(index)]; }
    std::int16_t operator[](int index) const { return cells_[checked(index)]; }
    static bool inRange(int index) { return index >= 0 && index < Size; }
    void fill(std::int16_t value) { cells_.fill(value); }
    bool operator==(const ImageTable&) const = default;

private:
    static std::size_t checked(int index) {
        if (!inRange(index))
            throw KvrError(KvrError::SubscriptOutOfRange,
                           QStringLiteral("Subscript out of range (%1)").arg(index));
        return static_cast<std::size_t>(index);
    }
    std::array<std::int16_t, Size> cells_{};
};

// Unit addresses of the global parameters, map bases, scales and text records.
// They never change while the program runs.
inline constexpr int Idx_LivePoll = 0;
inline constexpr int Idx_ParamLow = 0;
inline constexpr int Idx_ParamMid = 64;
inline constexpr int Idx_GlobalBase = 128;
inline constexpr int Idx_SpeedAdjust = 128;
inline constexpr int Idx_SpeedLimit = 129;
inline constexpr int Idx_FuelZeroCal = 130;
inline constexpr int Idx_IgnDwell = 131;
inline constexpr int Idx_FuelUpperLimit = 132;
inline constexpr int Idx_FuelLowerLimit = 133;
inline constexpr int Idx_SwitchRpm = 136;
inline constexpr int Idx_SwitchTemp = 137;
inline constexpr int Idx_SwitchAmp = 138;
inline constexpr int Idx_SwitchDefl = 139;
inline constexpr int Idx_Mode = 144;
inline constexpr int Idx_Cylinders = 145;
inline constexpr int Idx_TeethPerTurn = 146;
inline constexpr int Idx_TeethPerFiring = 147;
inline constexpr int Idx_IgnAdvLimit = 148;
inline constexpr int Idx_IgnRetLimit = 149;
inline constexpr int Idx_OptionBits1 = 150;
inline constexpr int Idx_OptionBits2 = 151;
inline constexpr int Idx_DeflScale = 152;
inline constexpr int Idx_TempTable = 160;
inline constexpr int Idx_AmpTable = 176;
inline constexpr int Idx_Block3 = 192;
inline constexpr int Idx_TempCal0 = 192;
inline constexpr int Idx_TempCal1 = 193;
inline constexpr int Idx_TempCal2 = 194;
inline constexpr int Idx_TempCal3 = 195;
inline constexpr int Idx_AmpCal0 = 196;
inline constexpr int Idx_AmpCal1 = 197;
inline constexpr int Idx_AmpCal2 = 198;
inline constexpr int Idx_AmpCal3 = 199;
inline constexpr int Idx_AmpCal4 = 200;
inline constexpr int Idx_AmpCal5 = 201;
inline constexpr int Idx_SwitchRpmLow = 203;
inline constexpr int Idx_MreReset1 = 204;
inline constexpr int Idx_MreReset2 = 205;
inline constexpr int Idx_P206 = 206;
inline constexpr int Idx_P207 = 207;
inline constexpr int Idx_RpmScale = 224;
inline constexpr int Idx_IgnMap = 0;
inline constexpr int Idx_AnaMap = 128;
inline constexpr int Idx_InjMap = 0;
inline constexpr int Idx_InjAmpCol = 128;
inline constexpr int Idx_IgnAmpCol = 144;
inline constexpr int Idx_AnaAmpCol = 160;
inline constexpr int Idx_DealerText = 0;
inline constexpr int Idx_ClearBase = 32;
inline constexpr int Idx_TextBlock = 128;
inline constexpr int Idx_TextBlock2 = 208;

// Timer clock of the unit: RPM = TimerClock / cylinders / period.
inline constexpr float TimerClock = 4687500.0f;
