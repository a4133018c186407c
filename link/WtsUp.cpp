#include "link/WtsUp.h"

#include "core/CoreState.h"
#include "link/LinkState.h"

namespace WtsUp {
namespace {

constexpr char CR = 13;

// A value the caller has checked (or that is a byte by construction).
char byteOf(int value) {
    return static_cast<char>(static_cast<unsigned char>(value));
}

char checkedByte(const QString& what, int value) {
    if (const auto problem = Non_Byte(what, value))
        Refuse_Non_Byte(*problem);
    return byteOf(value);
}

void checkMirror(int page, const ImageTable& mirror, int first, int count) {
    if (const auto problem = Non_Byte(page, mirror, first, count))
        Refuse_Non_Byte(*problem);
}

// Refuses an address no one-byte write can carry, before anything is built.
void checkAddress(int address) {
    if (address < 0 || address > 255)
        throw KvrError(KvrError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range (%1)").arg(address));
}

QByteArray cellFrame(char letter, int address, const ImageTable& mirror) {
    checkAddress(address);
    checkMirror(Page_Of_Letter(letter), mirror, address, 1);
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

std::optional<QString> Non_Byte(int page, const ImageTable& mirror, int first, int count) {
    for (int a = first; a < first + count; ++a)
        if (mirror[a] < 0 || mirror[a] > 255)
            return QStringLiteral("page %1 address %2 holds %3").arg(page).arg(a).arg(mirror[a]);
    return std::nullopt;
}

std::optional<QString> Non_Byte(const QString& what, int value) {
    if (value < 0 || value > 255)
        return QStringLiteral("%1 is %2").arg(what).arg(value);
    return std::nullopt;
}

void Refuse_Non_Byte(const QString& problem) {
    throw KvrError(NotAByte, problem + QStringLiteral(", which is not a byte (0 to 255)"));
}

int Page_Of_Letter(char letter) {
    switch (letter) {
    case '4':
    case '<':
        return 4;
    case '5':
    case '=':
        return 5;
    case '6':
    case '>':
        return 6;
    default:
        return 0;
    }
}

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
    frame.append(checkedByte(QStringLiteral("the start address"), start));
    frame.append(checkedByte(QStringLiteral("the count"), count));
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
    frame.append(checkedByte(QStringLiteral("the address"), address));
    frame.append(data);
    frame.append(CR);
    frame.append(QByteArray(PadLength, '\0'));
    return frame;
}

QByteArray Row_Write_Frame(char letter, int row, const ImageTable& mirror) {
    checkedByte(QStringLiteral("the row address"), row);
    checkMirror(Page_Of_Letter(letter), mirror, row, 16);
    QByteArray frame;
    frame.append(letter);
    frame.append(byteOf(row));
    for (int a = row; a < row + 16; ++a)
        frame.append(byteOf(mirror[a]));
    frame.append(CR);
    return frame;
}

} // namespace WtsUp
