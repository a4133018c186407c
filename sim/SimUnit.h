#pragma once

#include "sim/SimEngine.h"
#include "sim/SimFrameReader.h"
#include "sim/SimMemory.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace sim {

// Switches that make the unit misbehave, so the link's counting, retries and
// going off-line meet a real counterpart. Counts run down as replies go out.
struct Faults {
    bool silent = false;       // answers nothing at all
    int silentAfter = -1;      // gives this many replies, then answers nothing (-1 = off)
    bool pollsOnly = false;    // answers polls, leaves reads unanswered
    int dropNext = 0;          // the next N replies are lost
    int delayNext = 0;         // the next N replies leave late ...
    int delayMs = 400;         // ... by this long (the server waits)
    bool garble = false;       // the first byte of every reply is garbled
    bool wrongAddress = false; // block replies echo a start address that was not asked for
    int shortBy = 0;           // every reply loses its last N bytes
    int splitPieces = 0;       // every reply is written in this many pieces (0 or 1 = whole) ...
    int splitGapMs = 20;       // ... with this pause between the pieces (the server waits)
    bool locked = false;       // the status flags report the maps locked
    int toggleMapEvery = 0;    // the active map flips at every Nth poll, as by the map switch
};

// One reply with how the server is to put it on the line.
struct Reply {
    QByteArray bytes;
    int delayMs = 0; // wait this long before the first byte
    int pieces = 1;  // write it in this many parts ...
    int gapMs = 0;   // ... with this pause between them
};

// The simulated KVR6 unit: its memory, the frames it understands and the replies
// it gives, and the engine it is fitted to.
//
// Frames: "1" poll (18-byte live reply); "8", "9", ":", "@" read page 4, 5, 6 or the
// text area (letter, start address, count bytes); "4", "5", "6" write one byte;
// "<", "=", ">" write a row of page 4, 5, 6; "A" writes the text area; "3" selects
// map A (1), map B (0) or resets the unit (255); "2" with 0 selects the map set the
// following writes go to (1 = A, 0 = B) or sets the speed governor (any other
// value), and with "U" locks the maps (No-Tune). Pages 5 and 6 exist once per map
// set; reads and writes reach the active one.
class Unit {
public:
    static constexpr int MapA = 1;
    static constexpr int MapB = 2;
    static constexpr int HardwareVersion = 3;
    static constexpr int LiveReplyLength = 18;
    static constexpr int LiveEndByte = 0x0D;
    static constexpr char GarbledByte = 'X';
    // Status flag bits of the live reply.
    static constexpr int FlagLocked = 0x01;
    static constexpr int FlagMapA = 0x80;

    Unit();

    // Takes bytes as the program wrote them, in any chunking, applies every frame
    // completed by them and returns the replies to send, in order.
    std::vector<QByteArray> feed(const QByteArray& bytes);
    // The same, with the delay and splitting the server applies.
    std::vector<Reply> respond(const QByteArray& bytes);

    // Pages 4, 5 and 6; pages 5 and 6 of the active map set, or of bank 1 (A) or
    // 2 (B). An unknown page or address reads -1 and is not written.
    int byte(int page, int address) const;
    int byte(int page, int address, int bank) const;
    void setByte(int page, int address, int value);
    void setByte(int page, int address, int value, int bank);
    // The 256-byte text area.
    QByteArray text() const;
    void setText(const QByteArray& text, int address = 0);

    int activeMap() const { return activeMap_; }
    void setActiveMap(int map);
    // Locked by a No-Tune frame or a No-Tune flag in the text area, or by the fault.
    bool locked() const;

    // Every complete frame received, for tests.
    const std::vector<QByteArray>& frames() const { return frames_; }
    void clearFrames() { frames_.clear(); }
    int polls() const { return polls_; }
    int resets() const { return resets_; }
    int speedGovernor() const { return speedGovernor_; }
    int repliesSent() const { return repliesSent_; }

    // The engine: by default it follows its drive cycle poll by poll.
    // setEngine holds the speed and load (rpm 0 = stopped); setLiveCell holds the
    // live map position byte (column x 16 + row) whatever the engine does.
    void setEngine(int rpm, int deflection);
    void setLiveCell(int cell);
    void releaseEngine();
    // What the next poll will see, and the reply it gets before any fault.
    EngineState engine() const;
    QByteArray liveReply() const;

    Faults faults;

private:
    Memory::Page* pageOf(int page, int bank);
    const Memory::Page* pageOf(int page, int bank) const;
    Memory::Page* readArea(char letter);
    std::optional<QByteArray> apply(const QByteArray& frame);
    QByteArray blockReply(char letter, int start, int count);
    void writeBytes(Memory::Page& area, int address, const QByteArray& data);
    std::optional<Reply> withFaults(QByteArray bytes, bool isBlock);
    int cylinders() const;
    int liveCell(const EngineState& s) const;
    int bankIndex() const { return activeMap_ == MapA ? 0 : 1; }

    Memory memory_;
    FrameReader reader_;
    std::vector<QByteArray> frames_;
    int activeMap_ = MapA;
    int polls_ = 0;
    int resets_ = 0;
    int speedGovernor_ = 0;
    int repliesSent_ = 0;
    std::optional<EngineState> pinned_;
    std::optional<int> pinnedCell_;
};

} // namespace sim
