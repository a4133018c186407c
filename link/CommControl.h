#pragma once

// The serial control of the main window (Comm1): a port number, open and close,
// a receive threshold, output, input and the two buffer counts, with the
// receive event the link answers. The line is fixed at 19200 bit/s, 8 data bits.

#include "link/CommDevice.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class CommControl {
public:
    // Bytes kept waiting at most; what arrives beyond them is dropped.
    static constexpr int InBufferSize = 1024;

    CommControl();
    ~CommControl();
    CommControl(const CommControl&) = delete;
    CommControl& operator=(const CommControl&) = delete;

    // The device behind the control; the real serial port unless replaced. The
    // port is closed first.
    void setDevice(std::unique_ptr<CommDevice> device);
    CommDevice& device() { return *device_; }

    // The device port n stands for: the one named by KVR6_COMn, else /dev/ttyS(n-1).
    static QString Device_Path(int port);

    int CommPort = 1;

    bool PortOpen() const { return device_->isOpen(); }
    // Opens or closes the port. Opening an open port fails with 8005, closing a
    // closed one with 8012, a port number below 1 with 8002; the device's own
    // failures keep their numbers. Throws KvrError.
    void setPortOpen(bool open);

    // The receive event fires once as soon as at least this many bytes wait
    // (0: never). It fires again only after the input was read or cleared, or
    // the threshold set anew.
    int RThreshold() const { return threshold_; }
    void setRThreshold(int bytes);

    // Sends bytes; on a closed port fails with 8018.
    void Output(const QByteArray& bytes);
    // Everything waiting, removed from the buffer.
    QByteArray Input();
    int InBufferCount() const { return static_cast<int>(in_.size()); }
    // Setting 0 throws away what waits.
    void setInBufferCount(int count);
    int OutBufferCount() const { return PortOpen() ? device_->bytesToWrite() : 0; }

    // The receive event, and the loss of an open device (the port is closed by
    // then). Filled by the link.
    std::function<void()> OnComm;
    std::function<void()> OnLost;

private:
    void arrived(const QByteArray& bytes);
    void checkThreshold();
    void attach();

    std::unique_ptr<CommDevice> device_;
    QByteArray in_;
    int threshold_ = 0;
    bool fired_ = false;
};
