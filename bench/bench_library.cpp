// How long the library window's scan of a library of 1,000 tune-map files takes
// (every file opened and every header line examined, then the list sorted), and
// one save and one load of a tune map. Prints the figures and fails when the
// listing takes 0.5 s or more.

#include "core/CoreState.h"
#include "library/LibraryScan.h"
#include "library/TuneMapFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Files = 1000;
constexpr double ListingLimit = 0.5;

void fillRecords(int n) {
    LibRecord = {};
    LibRecord[0] = QStringLiteral("9");
    LibRecord[1] = QStringLiteral("Make%1-Model-2001-Car-Map %1").arg(n % 37);
    LibRecord[2] = QStringLiteral("map%1.kvr").arg(n, 4, 10, QChar('0'));
    LibRecord[3] = QStringLiteral("Make%1").arg(n % 37);
    LibRecord[4] = QStringLiteral("Map %1").arg(n);
    LibRecord[5] = QStringLiteral("Model");
    LibRecord[6] = QStringLiteral("Car");
    LibRecord[7] = QString::number(1990 + n % 30);
}

double seconds(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("KVR6_HOME", dir.path().toLocal8Bit());
    UnitName = QStringLiteral("KVR6");
    for (int a = 0; a < 256; ++a) {
        ParamBlock[a] = static_cast<std::int16_t>(a);
        Map5Image[a] = static_cast<std::int16_t>((a * 13) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 7) % 256);
    }
    const QDateTime now = QDateTime::currentDateTime();
    for (int n = 0; n < Files; ++n) {
        fillRecords(n);
        TuneMap::Write_New_File(LibRecord[2], now);
    }

    QElapsedTimer t;
    t.start();
    std::vector<TuneMap::LibraryEntry> entries = TuneMap::Scan_Library();
    TuneMap::Sort_Library(entries, TuneMap::ColYear);
    const double listing = seconds(t);

    fillRecords(Files);
    t.restart();
    TuneMap::Write_New_File(QStringLiteral("one.kvr"), now);
    const double save = seconds(t);

    t.restart();
    const TuneMap::LoadResult loaded = TuneMap::Load_Tune_Map(QStringLiteral("one.kvr"));
    const double load = seconds(t);

    std::printf("library of %zu tune-map files listed and sorted: %.3f s (limit %.1f s)\n",
                entries.size(), listing, ListingLimit);
    std::printf("one save: %.2f ms\n", save * 1000);
    std::printf("one load: %.2f ms (%d map rows)\n", load * 1000, loaded.rows.applied);
    const bool ok = entries.size() == Files && loaded.ok() && listing < ListingLimit;
    return ok ? 0 : 1;
}
