// kvr6-sim: a simulated KVR6 unit on a pseudo-terminal. It prints the device to
// open as the serial port and serves until it is stopped.

#include "sim/PtyServer.h"
#include "sim/SimUnit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &b, 1);
}

// SIGTERM and SIGINT end the event loop, so the link is removed on the way out.
void quitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

QCommandLineOption option(const char* name, const char* help, const char* value = nullptr) {
    return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                                      QString::fromLatin1(value))
                 : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help));
}

int intValue(const QCommandLineParser& parser, const QCommandLineOption& option, int fallback) {
    bool ok = false;
    const int v = parser.value(option).toInt(&ok);
    return ok ? v : fallback;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvr6-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated KVR6 unit served on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption link =
        option("link", "Make a symbolic link to the device at <path>.", "path");
    const QCommandLineOption noPacing =
        option("no-pacing", "Send replies at once, not at 19200 bit/s.");
    const QCommandLineOption silent = option("silent", "Answer nothing.");
    const QCommandLineOption silentAfter =
        option("silent-after", "Give <n> replies, then answer nothing.", "n");
    const QCommandLineOption pollsOnly =
        option("polls-only", "Answer polls, leave reads unanswered.");
    const QCommandLineOption drop = option("drop", "Lose the next <n> replies.", "n");
    const QCommandLineOption delay = option("delay", "Send the next <n> replies late.", "n");
    const QCommandLineOption delayMs =
        option("delay-ms", "How late delayed replies are (ms).", "ms");
    const QCommandLineOption garble = option("garble", "Garble the first byte of every reply.");
    const QCommandLineOption wrongAddress =
        option("wrong-address", "Echo a wrong start address in block replies.");
    const QCommandLineOption shortBy =
        option("short", "Cut <n> bytes off the end of every reply.", "n");
    const QCommandLineOption split = option("split", "Write every reply in <n> pieces.", "n");
    const QCommandLineOption splitGap =
        option("split-gap-ms", "Pause between the pieces (ms).", "ms");
    const QCommandLineOption locked = option("locked", "Report the maps locked (No-Tune).");
    const QCommandLineOption toggleMap =
        option("toggle-map", "Flip the active map at every <n>th poll.", "n");
    parser.addOptions({link, noPacing, silent, silentAfter, pollsOnly, drop, delay, delayMs, garble,
                       wrongAddress, shortBy, split, splitGap, locked, toggleMap});
    parser.process(app);

    sim::Unit unit;
    sim::Faults& f = unit.faults;
    f.silent = parser.isSet(silent);
    f.silentAfter = intValue(parser, silentAfter, -1);
    f.pollsOnly = parser.isSet(pollsOnly);
    f.dropNext = intValue(parser, drop, 0);
    f.delayNext = intValue(parser, delay, 0);
    f.delayMs = intValue(parser, delayMs, f.delayMs);
    f.garble = parser.isSet(garble);
    f.wrongAddress = parser.isSet(wrongAddress);
    f.shortBy = intValue(parser, shortBy, 0);
    f.splitPieces = intValue(parser, split, 0);
    f.splitGapMs = intValue(parser, splitGap, f.splitGapMs);
    f.locked = parser.isSet(locked);
    f.toggleMapEvery = intValue(parser, toggleMap, 0);

    sim::PtyServer server(unit);
    server.setPaced(!parser.isSet(noPacing));
    QString error;
    if (!server.open(&error)) {
        std::fprintf(stderr, "kvr6-sim: %s\n", qPrintable(error));
        return 1;
    }
    if (parser.isSet(link) && !server.setLinkPath(parser.value(link), &error)) {
        std::fprintf(stderr, "kvr6-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.devicePath()));
    std::fflush(stdout);

    quitOnSignals(app);
    return app.exec();
}
