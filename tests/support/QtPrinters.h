#pragma once

// Lets GoogleTest print Qt values in its failure messages. Every test program
// includes this first (see tests/CMakeLists.txt).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << '"' << s.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& os, const QByteArray& b) {
    return os << '"' << b.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& os, const QStringList& l) {
    os << '{';
    for (const QString& s : l)
        os << s << ',';
    return os << '}';
}
