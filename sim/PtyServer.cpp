#include "sim/PtyServer.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr qint64 ByteUs = 1000000LL * PtyServer::BitsPerByte / PtyServer::BitsPerSecond;
// How often a server whose device nobody holds looks whether it was reopened.
constexpr int HangupCheckMs = 50;

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyServer::PtyServer(Unit& unit, QObject* parent) : QObject(parent), unit_(unit) {
    writeTimer_.setSingleShot(true);
    writeTimer_.setTimerType(Qt::PreciseTimer);
    connect(&writeTimer_, &QTimer::timeout, this, &PtyServer::writeOut);
    hangupTimer_.setInterval(HangupCheckMs);
    connect(&hangupTimer_, &QTimer::timeout, this, &PtyServer::checkOtherSide);
    clock_.start();
}

PtyServer::~PtyServer() {
    close();
}

bool PtyServer::open(QString* error) {
    close();
    const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (error)
            *error = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (grantpt(fd) != 0 || unlockpt(fd) != 0 || ptsname_r(fd, name, sizeof name) != 0) {
        if (error)
            *error = systemError("pseudo-terminal set-up");
        ::close(fd);
        return false;
    }
    // Raw bytes both ways: no echo, no line editing, no CR/LF translation. On a
    // pseudo-terminal these settings belong to the device side the program opens.
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B19200);
        cfsetospeed(&tio, B19200);
        tcsetattr(fd, TCSANOW, &tio);
    }
    master_ = fd;
    devicePath_ = QString::fromLocal8Bit(name);
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PtyServer::readMaster);
    return true;
}

void PtyServer::close() {
    writeTimer_.stop();
    hangupTimer_.stop();
    out_.clear();
    delete notifier_;
    notifier_ = nullptr;
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).isSymLink())
        QFile::remove(linkPath_);
    linkPath_.clear();
    devicePath_.clear();
}

bool PtyServer::setLinkPath(const QString& path, QString* error) {
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("the pseudo-terminal is not open");
        return false;
    }
    const QFileInfo info(path);
    if (info.isSymLink())
        QFile::remove(path);
    else if (info.exists()) {
        if (error)
            *error = QStringLiteral("%1 exists and is not a link").arg(path);
        return false;
    }
    if (!QFile::link(devicePath_, path)) {
        if (error)
            *error = QStringLiteral("cannot make the link %1").arg(path);
        return false;
    }
    linkPath_ = path;
    return true;
}

void PtyServer::readMaster() {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // EIO (or end of file): the program has closed the device.
        lostOtherSide();
        break;
    }
    if (bytes.isEmpty())
        return;
    emit received(bytes);
    const qint64 now = nowUs();
    for (const Reply& reply : unit_.respond(bytes))
        queue(reply, now);
    writeOut();
}

void PtyServer::queue(const Reply& reply, qint64 now) {
    const int pieces = std::max(reply.pieces, 1);
    const qint64 ready = now + qint64(reply.delayMs) * 1000;
    const int size = static_cast<int>(reply.bytes.size());
    int from = 0;
    for (int i = 0; i < pieces; ++i) {
        const int to = size * (i + 1) / pieces;
        Chunk c;
        c.bytes = reply.bytes.mid(from, to - from);
        c.readyUs = ready;
        c.gapUs = i == 0 ? 0 : qint64(reply.gapMs) * 1000;
        from = to;
        if (!c.bytes.isEmpty())
            out_.push_back(std::move(c));
    }
}

// Writes what the line can carry by now and sets the timer for the rest.
void PtyServer::writeOut() {
    while (!out_.empty() && master_ >= 0) {
        Chunk& c = out_.front();
        const qint64 now = nowUs();
        const qint64 start = std::max(c.readyUs, lineFreeUs_ + c.gapUs);
        if (start > now) {
            writeTimer_.start(static_cast<int>(std::max<qint64>((start - now) / 1000, 1)));
            return;
        }
        qsizetype count = c.bytes.size();
        if (paced_)
            count = std::min<qsizetype>(count, (now - start) / ByteUs + 1);
        const ssize_t n = ::write(master_, c.bytes.constData(), static_cast<size_t>(count));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                writeTimer_.start(5); // the device's buffer is full; nobody reads
                return;
            }
            lostOtherSide();
            return;
        }
        emit sent(c.bytes.left(n));
        lineFreeUs_ = paced_ ? start + n * ByteUs : now;
        c.gapUs = 0;
        c.readyUs = 0;
        c.bytes.remove(0, n);
        if (c.bytes.isEmpty())
            out_.pop_front();
    }
}

// Nobody holds the device: a pseudo-terminal then reports a hang-up on every
// wait, so stop listening and look again now and then instead of spinning.
void PtyServer::lostOtherSide() {
    out_.clear();
    writeTimer_.stop();
    if (notifier_)
        notifier_->setEnabled(false);
    hangupTimer_.start();
}

void PtyServer::checkOtherSide() {
    if (master_ < 0) {
        hangupTimer_.stop();
        return;
    }
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0 || (p.revents & POLLHUP))
        return;
    hangupTimer_.stop();
    if (notifier_)
        notifier_->setEnabled(true);
    if (p.revents & POLLIN)
        readMaster();
}

} // namespace sim
