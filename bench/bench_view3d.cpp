// The cost of the 3-D view keeping up with the link: one full redraw of the wire
// frame (nodes, lines, labels, painted) and one move of the live point (marks
// placed, painted), on the real window. Prints the medians; the aims are under
// 2 ms for a redraw and under 0.5 ms for a live-point move. Then the opening of
// the view over a settings file whose section holds a million spoiled lines (read,
// told in the status bar, painted): the aim is under a second.

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "platform/FormInstance.h"
#include "platform/ProgramFolder.h"
#include "view3d/Settings3D.h"
#include "view3d/View3dState.h"
#include "view3d/frm3DDrw.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Warmup = 50;
constexpr int Rounds = 500;

double Median_Us(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("KVR6_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);

    ParamBlock[Idx_Cylinders] = 4;
    for (int a = 0; a < 256; ++a) {
        Map5Image[a] = static_cast<std::int16_t>((a * 7) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 3) % 256);
    }
    MapKind = QStringLiteral("Injection:");
    frm3DDrw& v = FormInstance<frm3DDrw>::get();
    v.show();

    // Painted into an image of the drawing's size, as the screen would get it.
    QImage surface(v.Picture->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> redraws, moves;
    QElapsedTimer clock;
    for (int i = 0; i < Warmup + Rounds; ++i) {
        clock.start();
        v.draw();
        v.Picture->render(&surface);
        const double redraw = clock.nsecsElapsed() / 1000.0;

        LiveMapCell = (i * 37) % 128;
        clock.start();
        v.Cursor_Movement();
        v.Picture->render(&surface, v.LiveRepaint.topLeft(), QRegion(v.LiveRepaint));
        const double move = clock.nsecsElapsed() / 1000.0;
        if (i >= Warmup) {
            redraws.push_back(redraw);
            moves.push_back(move);
        }
    }
    const double redraw = Median_Us(redraws);
    const double move = Median_Us(moves);
    std::printf("3-D view, %d rounds (median):\n", Rounds);
    std::printf("  full redraw of the wire frame: %8.1f us  (aim under 2000 us)%s\n", redraw,
                redraw < 2000 ? "" : "  OVER");
    std::printf("  live-point move:               %8.1f us  (aim under  500 us)%s\n", move,
                move < 500 ? "" : "  OVER");
    FormInstance<frm3DDrw>::unload();

    // A section that lost its END line to a million lines of nothing usable.
    constexpr int Spoiled = 1000000;
    QByteArray text = "KVR6 3D view settings\r\nInjection:\r\n";
    text.reserve(Spoiled * 12);
    for (int i = 0; i < Spoiled; ++i)
        text += ",x,1,y,3\r\n";
    QFile file(ProgramFolder::file(View3D::SettingsFile));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return 1;
    file.close();
    clock.start();
    frm3DDrw& spoiled = FormInstance<frm3DDrw>::get();
    spoiled.show();
    QImage whole(spoiled.size(), QImage::Format_ARGB32_Premultiplied);
    spoiled.render(&whole);
    const double opening = clock.nsecsElapsed() / 1e6;
    std::printf("  opening over %d spoiled settings lines: %8.1f ms  (aim under 1000 ms)%s\n",
                Spoiled, opening, opening < 1000 ? "" : "  OVER");
    FormInstance<frm3DDrw>::unload();
    return 0;
}
