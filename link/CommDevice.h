#pragma once

// What stands behind the serial control: the real serial port, or a device in
// the same process (a test's fake unit, the simulated unit) that answers each
// write with its replies.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class CommDevice {
public:
    virtual ~CommDevice() = default;

    // Opens the device at path; on failure returns the port error number
    // (8002, 8005, 8010, 8015, 8018), on success 0.
    virtual int open(const QString& path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void write(const QByteArray& bytes) = 0;
    // Bytes written and not yet gone out on the line.
    virtual int bytesToWrite() const = 0;

    // Set by the serial control: bytes arrived; the device vanished while open.
    std::function<void(const QByteArray&)> received;
    std::function<void()> lost;
};

// A device answered in process: each write goes to the responder, whose replies
// wait until deliver() hands them over (or, with autoDeliver, until the event
// loop next runs), as they would arrive later on a line.
class InProcessDevice : public CommDevice {
public:
    using Responder = std::function<std::vector<QByteArray>(const QByteArray&)>;
    explicit InProcessDevice(Responder responder) : responder_(std::move(responder)) {}

    int open(const QString& path) override;
    void close() override;
    bool isOpen() const override { return open_; }
    void write(const QByteArray& bytes) override;
    int bytesToWrite() const override { return outPending; }

    // Hands every reply waiting to the serial control, one arrival each.
    void deliver();
    // The device vanishes: it closes and reports the loss.
    void lose();

    // Knobs for tests.
    int openError = 0;  // the next opens fail with this number
    int outPending = 0; // what bytesToWrite() reports
    bool autoDeliver = false;
    QString openedPath;
    int opens = 0;

private:
    Responder responder_;
    std::vector<QByteArray> replies_;
    bool open_ = false;
    QObject context_; // a delivery posted for a device already gone is dropped
};
