#include "sim/SimUnit.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int PageSize = 256;

std::uint8_t toByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

int at(const QByteArray& bytes, int index) {
    return static_cast<std::uint8_t>(bytes.at(index));
}

int signedByte(int b) {
    return b > 127 ? b - 256 : b;
}

// Index of the last break point at or below value, 0 when none is.
template <typename Point> int lastAtOrBelow(int points, int value, Point point) {
    int found = 0;
    for (int i = 0; i < points; ++i) {
        if (point(i) <= value)
            found = i;
    }
    return found;
}

} // namespace

Unit::Unit() : memory_(Memory::factory()) {}

std::vector<QByteArray> Unit::feed(const QByteArray& bytes) {
    std::vector<QByteArray> out;
    for (Reply& r : respond(bytes))
        out.push_back(std::move(r.bytes));
    return out;
}

std::vector<Reply> Unit::respond(const QByteArray& bytes) {
    std::vector<Reply> out;
    for (const QByteArray& frame : reader_.push(bytes)) {
        frames_.push_back(frame);
        const bool isBlock = frame.at(0) != '1';
        if (std::optional<QByteArray> reply = apply(frame)) {
            if (std::optional<Reply> r = withFaults(std::move(*reply), isBlock))
                out.push_back(std::move(*r));
        }
    }
    return out;
}

std::optional<QByteArray> Unit::apply(const QByteArray& frame) {
    const char letter = frame.at(0);
    const int b1 = at(frame, 1);
    const int b2 = frame.size() > 2 ? at(frame, 2) : 0;
    switch (letter) {
    case '1': {
        if (faults.toggleMapEvery > 0 && (polls_ + 1) % faults.toggleMapEvery == 0)
            setActiveMap(activeMap_ == MapA ? MapB : MapA);
        QByteArray reply = liveReply();
        ++polls_;
        return reply;
    }
    case '8':
    case '9':
    case ':':
    case '@':
        return blockReply(letter, b1, b2);
    case '4':
    case '5':
    case '6':
        setByte(letter - '0', b1, b2);
        return std::nullopt;
    case '<':
    case '=':
    case '>':
        writeBytes(*pageOf(letter - '<' + 4, activeMap_), b1, frame.mid(2, frame.size() - 3));
        return std::nullopt;
    case 'A':
        writeBytes(memory_.text, b1, frame.mid(2, frame.size() - 3));
        return std::nullopt;
    case '3':
        if (b2 == 1)
            setActiveMap(MapA);
        else if (b2 == 0)
            setActiveMap(MapB);
        else if (b2 == 255)
            ++resets_; // the unit restarts; its memory is kept
        return std::nullopt;
    case '2':
        if (b1 == 'U')
            memory_.text[Addr::NoTuneFlag] = NoTuneOn;
        else if (b2 == 1)
            setActiveMap(MapA);
        else if (b2 == 0)
            setActiveMap(MapB);
        else
            speedGovernor_ = b2;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

Memory::Page* Unit::readArea(char letter) {
    switch (letter) {
    case '8':
        return &memory_.page4;
    case '9':
        return pageOf(5, activeMap_);
    case ':':
        return pageOf(6, activeMap_);
    default:
        return &memory_.text;
    }
}

QByteArray Unit::blockReply(char letter, int start, int count) {
    const Memory::Page& area = *readArea(letter);
    QByteArray reply;
    reply.reserve(count + 2);
    reply.append(letter);
    reply.append(static_cast<char>(start));
    for (int k = 0; k < count; ++k)
        reply.append(static_cast<char>(area[(start + k) % PageSize]));
    return reply;
}

void Unit::writeBytes(Memory::Page& area, int address, const QByteArray& data) {
    for (int k = 0; k < data.size(); ++k)
        area[(address + k) % PageSize] = static_cast<std::uint8_t>(data.at(k));
}

std::optional<Reply> Unit::withFaults(QByteArray bytes, bool isBlock) {
    if (faults.silent)
        return std::nullopt;
    if (faults.silentAfter >= 0 && repliesSent_ >= faults.silentAfter)
        return std::nullopt;
    if (faults.pollsOnly && isBlock)
        return std::nullopt;
    if (faults.wrongAddress && isBlock)
        bytes[1] = static_cast<char>(at(bytes, 1) ^ 0x40); // never another read's address
    if (faults.garble)
        bytes[0] = GarbledByte;
    if (faults.shortBy > 0)
        bytes.chop(std::min<qsizetype>(faults.shortBy, bytes.size()));
    if (faults.dropNext > 0) {
        --faults.dropNext;
        return std::nullopt;
    }
    if (bytes.isEmpty())
        return std::nullopt;
    Reply reply;
    reply.bytes = std::move(bytes);
    if (faults.delayNext > 0) {
        --faults.delayNext;
        reply.delayMs = faults.delayMs;
    }
    if (faults.splitPieces > 1) {
        reply.pieces = std::min<int>(faults.splitPieces, reply.bytes.size());
        reply.gapMs = faults.splitGapMs;
    }
    ++repliesSent_;
    return reply;
}

Memory::Page* Unit::pageOf(int page, int bank) {
    return const_cast<Memory::Page*>(std::as_const(*this).pageOf(page, bank));
}

const Memory::Page* Unit::pageOf(int page, int bank) const {
    const int index = bank == MapA ? 0 : 1;
    switch (page) {
    case 4:
        return &memory_.page4;
    case 5:
        return &memory_.page5[index];
    case 6:
        return &memory_.page6[index];
    default:
        return nullptr;
    }
}

int Unit::byte(int page, int address) const {
    return byte(page, address, activeMap_);
}

int Unit::byte(int page, int address, int bank) const {
    const Memory::Page* p = pageOf(page, bank);
    if (p == nullptr || address < 0 || address >= PageSize)
        return -1;
    return (*p)[address];
}

void Unit::setByte(int page, int address, int value) {
    setByte(page, address, value, activeMap_);
}

void Unit::setByte(int page, int address, int value, int bank) {
    Memory::Page* p = pageOf(page, bank);
    if (p == nullptr || address < 0 || address >= PageSize)
        return;
    (*p)[address] = toByte(value);
}

QByteArray Unit::text() const {
    return QByteArray(reinterpret_cast<const char*>(memory_.text.data()), PageSize);
}

void Unit::setText(const QByteArray& text, int address) {
    if (address < 0 || address >= PageSize)
        return;
    writeBytes(memory_.text, address, text.left(PageSize - address));
}

void Unit::setActiveMap(int map) {
    if (map == MapA || map == MapB)
        activeMap_ = map;
}

bool Unit::locked() const {
    return faults.locked || memory_.text[Addr::NoTuneFlag] == NoTuneOn;
}

void Unit::setEngine(int rpm, int deflection) {
    EngineState s = Engine::at(polls_);
    s.rpm = std::max(rpm, 0);
    s.deflection = std::clamp(deflection, 0, 255);
    pinned_ = s;
}

void Unit::setLiveCell(int cell) {
    pinnedCell_ = cell & 0xFF;
}

void Unit::releaseEngine() {
    pinned_.reset();
    pinnedCell_.reset();
}

EngineState Unit::engine() const {
    if (!pinned_)
        return Engine::at(polls_);
    EngineState s = Engine::at(polls_);
    s.rpm = pinned_->rpm;
    s.deflection = pinned_->deflection;
    return s;
}

int Unit::cylinders() const {
    const int c = memory_.page4[Addr::Cylinders];
    return c < 1 || c > 12 ? 4 : c;
}

// The map cell the engine runs in: the RPM row from the RPM break points, the
// column from the deflection break points, both as the unit holds them.
int Unit::liveCell(const EngineState& s) const {
    if (pinnedCell_)
        return *pinnedCell_;
    const Memory::Page& p = memory_.page4;
    const double perCylinder = TimerClock / cylinders();
    const int row = lastAtOrBelow(16, s.rpm, [&](int n) {
        const int period = p[Addr::RpmScale + 2 * n] * 256 + p[Addr::RpmScale + 2 * n + 1];
        return period > 0 ? static_cast<int>(perCylinder / period) : 1 << 30;
    });
    // Break points hold percent / 100 x 256; the live signal is 255 at full load.
    const int load = s.deflection * 256 / 255;
    const int column = lastAtOrBelow(8, load, [&](int c) { return p[Addr::DeflScale + c]; });
    return column * 16 + row;
}

QByteArray Unit::liveReply() const {
    const EngineState s = engine();
    const Memory::Page& p = memory_.page4;
    const int bank = bankIndex();
    const int cell = liveCell(s);
    const int mapCell = (cell >> 4 & 7) * 16 + (cell & 15);

    const int analogMod = memory_.page5[bank][Addr::AnaMap + mapCell];
    const int analogOut = std::clamp(s.analogIn + signedByte(analogMod), 0, 255);

    // Engine period in timer counts: whole counts in bytes 7 and 8, 1/256 in byte 9.
    // A period past 15 bits reads as a stopped engine.
    int high = 0, low = 0, fraction = 0;
    if (s.rpm > 0) {
        const double period = TimerClock / cylinders() / s.rpm;
        if (period < 32768.0) {
            const int counts = static_cast<int>(period);
            high = counts / 256;
            low = counts % 256;
            fraction = static_cast<int>((period - counts) * 256);
        }
    }

    const int ampRow = lastAtOrBelow(16, s.ampIn, [&](int i) { return p[Addr::AmpTable + i]; });
    const int tempRow =
        lastAtOrBelow(16, s.engineTemp, [&](int i) { return p[Addr::TempTable + i]; });
    int flags = 0;
    if (locked())
        flags |= FlagLocked;
    if (activeMap_ == MapA)
        flags |= FlagMapA;

    const std::array<int, LiveReplyLength> bytes = {
        '1',
        HardwareVersion,
        s.analogIn,
        s.lambda,
        s.deflection,
        analogOut,
        high,
        low,
        fraction,
        analogMod,
        memory_.page6[bank][Addr::InjMap + mapCell],
        memory_.page5[bank][Addr::IgnMap + mapCell],
        cell,
        tempRow * 16 + ampRow,
        flags,
        s.engineTemp,
        s.ampIn,
        LiveEndByte,
    };
    QByteArray reply;
    reply.reserve(LiveReplyLength);
    for (const int b : bytes)
        reply.append(static_cast<char>(toByte(b)));
    return reply;
}

} // namespace sim
