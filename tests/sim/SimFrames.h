#pragma once

#include <QByteArray>

#include <initializer_list>

// Frames as the program writes them, for feeding the simulated unit.
namespace simframes {

inline QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (const int v : list)
        b.append(static_cast<char>(v));
    return b;
}

inline QByteArray padding() {
    return QByteArray(31, '\0');
}

inline QByteArray poll() {
    return bytes({'1', 0, 16, '\r'});
}

inline QByteArray read(char letter, int start, int count) {
    return bytes({letter, start, count, '\r'});
}

inline QByteArray byteWrite(char letter, int address, int value) {
    return bytes({letter, address, value, '\r'});
}

// Row write of 16 bytes start, start + step, ...; padded as the program pads rows.
inline QByteArray row(char letter, int address, int start, int step = 1, bool padded = true) {
    QByteArray f;
    f.append(letter);
    f.append(static_cast<char>(address));
    for (int k = 0; k < 16; ++k)
        f.append(static_cast<char>((start + k * step) & 0xFF));
    f.append('\r');
    if (padded)
        f.append(padding());
    return f;
}

inline QByteArray text(int address, const QByteArray& chars) {
    QByteArray f;
    f.append('A');
    f.append(static_cast<char>(address));
    f.append(chars);
    f.append('\r');
    f.append(padding());
    return f;
}

inline QByteArray select(int value) {
    return bytes({'3', 0, value, '\r'});
}

inline QByteArray set(int value) {
    return bytes({'2', 0, value, '\r'});
}

inline QByteArray noTune() {
    return bytes({'2', 'U', 0, '\r'}) + padding();
}

inline int at(const QByteArray& b, int i) {
    return static_cast<unsigned char>(b.at(i));
}

} // namespace simframes
