#pragma once

#include <QString>

// The message boxes that tell the user the serial port failed. The opening of
// the port and the polling tick word them slightly differently.
namespace PortErrors {

inline const QString Title = QStringLiteral("No communication to KVR Unit !!");

enum class Family { Opening, Polling };

// True for the serial port's own error numbers, 8001..8021.
inline bool Is_Port_Error(int number) {
    return number >= 8001 && number <= 8021;
}

// The text for error number on port, "other" wording for a number not told apart.
QString Text(int number, int port, Family family);

} // namespace PortErrors
