#pragma once

// Frames the program sends to the unit. Every frame ends with CR; no checksum,
// no length. A character carries one byte, NUL bytes included.
//
// The builders named Build_... replace FrameText with their frame (Pad_Frame
// appends to it) and also return what FrameText now holds, so a producer can
// hand it straight to the send path (link/SendPath.h).
//
// Every value a builder puts into a frame must be a byte (0..255): a builder
// refuses anything else with KvrError NotAByte naming the place and the value,
// before anything is built, instead of sending 300 as 44.

#include "core/UnitImage.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace WtsUp {

// The run time's "invalid procedure call or argument": a value no frame byte can carry.
inline constexpr int NotAByte = 5;

// The one check of the values a frame carries: the first of mirror[first ..
// first + count - 1] that is not a byte, named by its place ("page 6 address 37
// holds 300"), or nothing when all are bytes. page is 4, 5 or 6 (the mirror's).
std::optional<QString> Non_Byte(int page, const ImageTable& mirror, int first, int count);
// The same for one value that is to go into a frame ("the count 300").
std::optional<QString> Non_Byte(const QString& what, int value);
// Throws KvrError NotAByte with the text of a problem Non_Byte found.
[[noreturn]] void Refuse_Non_Byte(const QString& problem);
// The page (4, 5, 6) whose mirror a write letter ("4".."6", "<".."> ") writes; 0 for none.
int Page_Of_Letter(char letter);

// Bytes of padding sent after row, text and clear-unit frames.
inline constexpr int PadLength = 31;

// One-byte write of page 5: "5", address, Map5Image[address], CR. The analog
// and ignition maps share page 5, so the three builders give the same bytes.
// An address outside 0..255 is refused with error 9 before anything is built.
QByteArray Build_Analog_Cell_Frame(int address);
QByteArray Build_Ign_Cell_Frame(int address);
QByteArray Build_Page5_Cell_Frame(int address);
// One-byte write of page 6: "6", address, Map6Image[address], CR.
QByteArray Build_Inject_Cell_Frame(int address);
// The same bytes; it does not raise a send request itself: the caller queues.
QByteArray Build_Page6_Cell_Frame(int address);

// The padded page-4 row write "<" of the row holding address (only bits 4..7
// of the address count, so 256 is row 0): 50 bytes. address is left at the
// row start + 16.
QByteArray Build_Row_Frame(int& address);
// The two padded rows of the RPM break points (224 and 240): 100 bytes.
QByteArray Build_RPM_Row_Frames();
// Appends the 31 NUL bytes to FrameText.
QByteArray Pad_Frame();

// Frames the link itself sends; these leave FrameText alone.
// The live poll "1", 0, 16, CR (answered by 18 bytes).
QByteArray Poll_Frame();
// A page read: letter ("8", "9", ":" or the text-area letter 0x40), start, count, CR.
QByteArray Read_Frame(char letter, int start, int count);
// Map selection "3", 0, which, CR: 1 map A, 0 map B, 255 unit reset.
QByteArray Map_Select_Frame(int which);
// "2", 0, n, CR.
QByteArray Set_Frame(int n);
// The No-Tune form "2", "U", 0, CR and the padding: 35 bytes.
QByteArray NoTune_Set_Frame();
// A text record or row as the transfers send it: letter, address, the data bytes
// (16 or fewer), CR and the 31 NUL padding. Leaves FrameText alone.
QByteArray Padded_Frame(char letter, int address, const QByteArray& data);
// The unpadded column form of a row write: letter, row start, mirror[row..row+15], CR.
QByteArray Row_Write_Frame(char letter, int row, const ImageTable& mirror);

// Page letters: the one-byte write letter is the read letter minus 4, the row
// write letter the read letter plus 4.
inline constexpr char ReadParam = '8';
inline constexpr char ReadPage5 = '9';
inline constexpr char ReadPage6 = ':';
inline constexpr char ReadText = 0x40;

} // namespace WtsUp
