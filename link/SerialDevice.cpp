#include "link/SerialDevice.h"

#include "platform/KvrError.h"
#include "platform/Step.h"

#include <QFile>

#include <unistd.h>

SerialDevice::SerialDevice() {
    // Bytes on the line and a lost device each begin a step (platform/Step.h).
    Step::Connect(&port_, &QSerialPort::readyRead, &port_, [this] {
        const QByteArray bytes = port_.readAll();
        if (!bytes.isEmpty() && received)
            received(bytes);
    });
    Step::Connect(&port_, &QSerialPort::errorOccurred, &port_,
                  [this](QSerialPort::SerialPortError error) {
                      // A read or resource error on an open port means the device
                      // went away under us (adapter unplugged, terminal closed).
                      if (!port_.isOpen())
                          return;
                      if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                          error == QSerialPort::WriteError) {
                          port_.close();
                          if (lost)
                              lost();
                      }
                  });
}

int SerialDevice::Error_Number(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return 0;
    case QSerialPort::DeviceNotFoundError:
        return KvrError::InvalidPortNumber;
    case QSerialPort::PermissionError:
        // Qt says this both for a device another program holds (it was opened
        // exclusively) and for one this user may not open; the file tells which.
        return KvrError::PortPermissionDenied;
    case QSerialPort::OpenError:
        return KvrError::PortAlreadyOpen;
    case QSerialPort::ResourceError:
        return KvrError::HardwareNotAvailable;
    case QSerialPort::UnsupportedOperationError:
        return KvrError::IllegalOperation;
    default:
        return KvrError::PortSetupFailed;
    }
}

bool SerialDevice::Readable_And_Writable(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
}

int SerialDevice::open(const QString& path) {
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        int number = Error_Number(port_.error());
        port_.clearError();
        // Held by another program when the file lets this user read and write it.
        if (number == KvrError::PortPermissionDenied && Readable_And_Writable(path))
            number = KvrError::PortAlreadyOpen;
        return number == 0 ? KvrError::PortSetupFailed : number;
    }
    const bool set =
        port_.setBaudRate(QSerialPort::Baud19200) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        port_.close();
        port_.clearError();
        return KvrError::PortSetupFailed;
    }
    port_.clear();
    return 0;
}

void SerialDevice::close() {
    if (port_.isOpen())
        port_.close();
}

void SerialDevice::write(const QByteArray& bytes) {
    if (port_.isOpen())
        port_.write(bytes);
}
