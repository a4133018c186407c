#include "link/SerialDevice.h"

#include "platform/KvrError.h"

SerialDevice::SerialDevice() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] {
        const QByteArray bytes = port_.readAll();
        if (!bytes.isEmpty() && received)
            received(bytes);
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) {
                         // A read or resource error on an open port means the device
                         // went away under us (adapter unplugged, terminal closed).
                         if (!port_.isOpen())
                             return;
                         if (error == QSerialPort::ResourceError ||
                             error == QSerialPort::ReadError || error == QSerialPort::WriteError) {
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

int SerialDevice::open(const QString& path) {
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        const int number = Error_Number(port_.error());
        port_.clearError();
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
