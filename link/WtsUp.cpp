#include "link/WtsUp.h"

#include "core/CoreState.h"
#include "link/LinkState.h"

namespace WtsUp {
namespace {

constexpr char CR = 13;

char byteOf(int value) {
    return static_cast<char>(static_cast<unsigned char>(value & 0xFF));
}

// Refuses an address no one-byte write can carry, before anything is built.
void checkAddress(int address) {
    if (address < 0 || address > 255)
        throw KvrError(KvrError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range (%1)").arg(address));
}

QByteArray cellFrame(char letter, int address, const ImageTable& mirror) {
    checkAddress(address);
    QByteArray frame;
    frame.append(letter);
    frame.append(byteOf(address));
    frame.append(byteOf(mirror[address]));
    frame.append(CR);
    FrameText = frame;
    return FrameText;
}

QByteArray paramRow(int& address) {
    const int row = address & 0xF0;
    QByteArray frame = Row_Write_Frame('<', row, ParamBlock);
    frame.append(QByteArray(PadLength, '\0'));
    address = row + 16;
    return frame;
}

} // namespace

QByteArray Build_Analog_Cell_Frame(int address) {
    return cellFrame('5', address, Map5Image);
}
QByteArray Build_Ign_Cell_Frame(int address) {
    return cellFrame('5', address, Map5Image);
}
QByteArray Build_Page5_Cell_Frame(int address) {
    return cellFrame('5', address, Map5Image);
}
QByteArray Build_Inject_Cell_Frame(int address) {
    return cellFrame('6', address, Map6Image);
}
QByteArray Build_Page6_Cell_Frame(int address) {
    return cellFrame('6', address, Map6Image);
}

QByteArray Build_Row_Frame(int& address) {
    FrameText = paramRow(address);
    return FrameText;
}

QByteArray Build_RPM_Row_Frames() {
    int address = Idx_RpmScale;
    QByteArray frames = paramRow(address);
    frames.append(paramRow(address));
    FrameText = frames;
    return FrameText;
}

QByteArray Pad_Frame() {
    FrameText.append(QByteArray(PadLength, '\0'));
    return FrameText;
}

QByteArray Poll_Frame() {
    return Read_Frame('1', Idx_LivePoll, 16);
}

QByteArray Read_Frame(char letter, int start, int count) {
    QByteArray frame;
    frame.append(letter);
    frame.append(byteOf(start));
    frame.append(byteOf(count));
    frame.append(CR);
    return frame;
}

QByteArray Map_Select_Frame(int which) {
    return Read_Frame('3', 0, which);
}

QByteArray Set_Frame(int n) {
    return Read_Frame('2', 0, n);
}

QByteArray NoTune_Set_Frame() {
    QByteArray frame = Read_Frame('2', 'U', 0);
    frame.append(QByteArray(PadLength, '\0'));
    return frame;
}

QByteArray Padded_Frame(char letter, int address, const QByteArray& data) {
    QByteArray frame;
    frame.append(letter);
    frame.append(byteOf(address));
    frame.append(data);
    frame.append(CR);
    frame.append(QByteArray(PadLength, '\0'));
    return frame;
}

QByteArray Row_Write_Frame(char letter, int row, const ImageTable& mirror) {
    QByteArray frame;
    frame.append(letter);
    frame.append(byteOf(row));
    for (int a = row; a < row + 16; ++a)
        frame.append(byteOf(mirror[a]));
    frame.append(CR);
    return frame;
}

} // namespace WtsUp
