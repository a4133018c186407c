#include "link/CommControl.h"

#include "link/SerialDevice.h"
#include "platform/KvrError.h"

namespace {

KvrError portError(int number) {
    return KvrError(number, QStringLiteral("Serial port error %1").arg(number));
}

} // namespace

CommControl::CommControl() : device_(std::make_unique<SerialDevice>()) {
    attach();
}

CommControl::~CommControl() {
    device_->received = nullptr;
    device_->lost = nullptr;
    device_->close();
}

void CommControl::setDevice(std::unique_ptr<CommDevice> device) {
    device_->received = nullptr;
    device_->lost = nullptr;
    device_->close();
    device_ = std::move(device);
    attach();
}

void CommControl::attach() {
    device_->received = [this](const QByteArray& bytes) { arrived(bytes); };
    device_->lost = [this] {
        in_.clear();
        fired_ = false;
        if (OnLost)
            OnLost();
    };
}

QString CommControl::Device_Path(int port) {
    const QByteArray named = qgetenv(QStringLiteral("KVR6_COM%1").arg(port).toLatin1().constData());
    if (!named.isEmpty())
        return QString::fromLocal8Bit(named);
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

void CommControl::setPortOpen(bool open) {
    if (!open) {
        if (!PortOpen())
            throw portError(KvrError::PortNotOpen);
        device_->close();
        in_.clear();
        fired_ = false;
        return;
    }
    if (PortOpen())
        throw portError(KvrError::PortAlreadyOpen);
    if (CommPort < 1)
        throw portError(KvrError::InvalidPortNumber);
    in_.clear();
    fired_ = false;
    const int error = device_->open(Device_Path(CommPort));
    if (error != 0)
        throw portError(error);
}

void CommControl::setRThreshold(int bytes) {
    threshold_ = bytes;
    fired_ = false;
}

void CommControl::Output(const QByteArray& bytes) {
    if (!PortOpen())
        throw portError(KvrError::IllegalOperation);
    device_->write(bytes);
}

QByteArray CommControl::Input() {
    QByteArray bytes;
    bytes.swap(in_);
    fired_ = false;
    return bytes;
}

void CommControl::setInBufferCount(int count) {
    if (count == 0) {
        in_.clear();
        fired_ = false;
    }
}

void CommControl::arrived(const QByteArray& bytes) {
    const int room = InBufferSize - static_cast<int>(in_.size());
    in_.append(bytes.left(room > 0 ? room : 0));
    checkThreshold();
}

void CommControl::checkThreshold() {
    if (threshold_ > 0 && !fired_ && in_.size() >= threshold_) {
        fired_ = true;
        if (OnComm)
            OnComm();
    }
}
