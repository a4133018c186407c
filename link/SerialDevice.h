#pragma once

#include "link/CommDevice.h"

#include <QSerialPort>

// The real serial line on QSerialPort: 19200 bit/s, 8 data bits, no parity,
// one stop bit, no handshake.
class SerialDevice : public CommDevice {
public:
    SerialDevice();

    int open(const QString& path) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void write(const QByteArray& bytes) override;
    int bytesToWrite() const override { return static_cast<int>(port_.bytesToWrite()); }

    // The port error number an open failure of QSerialPort stands for.
    static int Error_Number(QSerialPort::SerialPortError error);
    // Whether this user may read and write the device file at path.
    static bool Readable_And_Writable(const QString& path);

private:
    QSerialPort port_;
};
