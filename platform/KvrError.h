#pragma once

#include <QString>
#include <stdexcept>

// A run-time error as the program's procedures raise it: the event handler that
// started the work catches it and tells the user. The numbers are the ones the
// program tells apart (53 file missing, 61 disk full, 71 disk not ready, ...).
class KvrError : public std::runtime_error {
public:
    enum Number {
        SubscriptOutOfRange = 9,
        BadFileName = 52,
        FileNotFound = 53,
        BadFileMode = 54,
        InputPastEnd = 62,
        DiskFull = 61,
        PermissionDenied = 70,
        // A folder stands where a file is to be written.
        PathFileAccess = 75,
        DiskNotReady = 71,
        PathNotFound = 76,
        // The serial port's errors (8001..8021).
        InvalidPortNumber = 8002,
        PortAlreadyOpen = 8005,
        // The device exists but this user may not open it (not in its group).
        PortPermissionDenied = 8007,
        HardwareNotAvailable = 8010,
        PortNotOpen = 8012,
        PortSetupFailed = 8015,
        IllegalOperation = 8018,
    };

    KvrError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};
