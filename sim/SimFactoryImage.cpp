#include "sim/SimMemory.h"

#include <QByteArray>

#include <cmath>

namespace sim {

namespace {

void put(Memory::Page& page, int address, const QByteArray& text, int width) {
    for (int k = 0; k < width; ++k)
        page[address + k] = static_cast<std::uint8_t>(k < text.size() ? text.at(k) : ' ');
}

void putBytes(Memory::Page& page, int address, std::initializer_list<int> bytes) {
    for (const int b : bytes)
        page[address++] = static_cast<std::uint8_t>(b);
}

void fillParameters(Memory::Page& p) {
    put(p, 0, "FACTORY MAP A", 64);
    put(p, 64, "FACTORY MAP B", 64);
    // The RPM switch point (136 high, 203 low) is off: both bytes 0.
    putBytes(p, 128, {0, 255, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0});
    // Mode, cylinders, teeth, ignition limits, option bits.
    putBytes(p, 144, {0, 4, 0, 0, 43, 213, 0, 0});
    // Deflection break points: 0 % to 100 % of the load signal.
    putBytes(p, Addr::DeflScale, {0, 36, 74, 110, 146, 182, 220, 255});
    for (int i = 0; i < 16; ++i) {
        p[Addr::TempTable + i] = static_cast<std::uint8_t>(17 * i);
        p[Addr::AmpTable + i] = static_cast<std::uint8_t>(17 * i);
    }
    putBytes(p, 192, {0, 0, 15, 120, 0, 0, 15, 5, 0, 0, 0, 0});
    // Highest engine speed recorded: about 6000 RPM on a four-cylinder.
    putBytes(p, Addr::MaxRecords, {195, 80, 0, 255});
    // RPM break points 500, 1000, ... 8000 as timer periods for four cylinders.
    for (int n = 0; n < 16; ++n) {
        const int period = static_cast<int>(std::lround(TimerClock / 4 / (500.0 * (n + 1))));
        p[Addr::RpmScale + 2 * n] = static_cast<std::uint8_t>(period / 256);
        p[Addr::RpmScale + 2 * n + 1] = static_cast<std::uint8_t>(period % 256);
    }
}

// Map A carries a mild tune, map B a slightly stronger one, so the two banks
// can be told apart.
void fillMaps(Memory& m, int bank) {
    for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 16; ++row) {
            const int cell = column * 16 + row;
            m.page5[bank][Addr::IgnMap + cell] =
                static_cast<std::uint8_t>(row * column / 8 + 2 * bank);
            const int analogMod = (row - 8) / 2 + bank; // signed byte
            m.page5[bank][Addr::AnaMap + cell] = static_cast<std::uint8_t>(analogMod & 0xFF);
            m.page6[bank][Addr::InjMap + cell] =
                static_cast<std::uint8_t>(100 + column * 10 + row * 3 + 5 * bank);
        }
    }
    // The three AMP columns: 128 leaves the value as the map gives it.
    for (int i = 0; i < 48; ++i)
        m.page6[bank][Addr::AmpColumns + i] = 128;
}

void fillText(Memory::Page& t) {
    t.fill(255);
    put(t, Addr::UserText, "KVR6 FACTORY SETTINGS", 32);
    // Self-test record 0: tag, date mmddyyyy, time hhmm. The others are empty.
    put(t, Addr::TestRecords, "ft01031520240915", 16);
    put(t, Addr::Description, "Factory settings", 63);
    put(t, Addr::WiringName, "", 16);
}

} // namespace

Memory Memory::factory() {
    Memory m;
    fillParameters(m.page4);
    fillMaps(m, 0);
    fillMaps(m, 1);
    fillText(m.text);
    return m;
}

} // namespace sim
