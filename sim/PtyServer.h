#pragma once

#include "sim/SimUnit.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

class QSocketNotifier;

namespace sim {

// Serves a simulated unit on a pseudo-terminal of its own, inside the running
// event loop: the program opens devicePath() as its serial port. Replies leave
// at the line's speed (19200 bit/s, 10 bits a byte) unless pacing is off, with
// the delays and splitting the unit's faults ask for. The program may close and
// reopen the device any number of times; while nobody has it open the server
// waits quietly and drops what it had still to send.
class PtyServer : public QObject {
    Q_OBJECT
public:
    static constexpr int BitsPerSecond = 19200;
    static constexpr int BitsPerByte = 10;

    explicit PtyServer(Unit& unit, QObject* parent = nullptr);
    ~PtyServer() override;

    bool open(QString* error = nullptr);
    void close();
    bool isOpen() const { return master_ >= 0; }
    // The device the program opens, for example /dev/pts/5.
    QString devicePath() const { return devicePath_; }
    // Makes a symbolic link at path to the device (an old link there is
    // replaced, any other file is left alone); it is removed on close.
    bool setLinkPath(const QString& path, QString* error = nullptr);
    QString linkPath() const { return linkPath_; }

    void setPaced(bool paced) { paced_ = paced; }
    bool paced() const { return paced_; }
    // True while bytes wait to go out.
    bool sending() const { return !out_.empty(); }

signals:
    void received(const QByteArray& bytes);
    void sent(const QByteArray& bytes);

private:
    struct Chunk {
        QByteArray bytes;
        qint64 readyUs = 0; // not before this time
        qint64 gapUs = 0;   // pause after the previous chunk has left
    };

    void readMaster();
    void queue(const Reply& reply, qint64 nowUs);
    void writeOut();
    void lostOtherSide();
    void checkOtherSide();
    qint64 nowUs() const { return clock_.nsecsElapsed() / 1000; }

    Unit& unit_;
    int master_ = -1;
    QString devicePath_;
    QString linkPath_;
    bool paced_ = true;
    QSocketNotifier* notifier_ = nullptr;
    QTimer writeTimer_;
    QTimer hangupTimer_;
    QElapsedTimer clock_;
    std::deque<Chunk> out_;
    qint64 lineFreeUs_ = 0; // when the last byte written has left the line
};

} // namespace sim
