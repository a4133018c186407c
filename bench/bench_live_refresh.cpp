// The cost of one live refresh on the real main window: a live reply goes through
// the receive handler, which moves the cursor, the strip chart, the bars and the
// text readouts, and the window repaints. Prints the median and the share of one
// core that polling every 20 ms takes.

#include "core/CoreState.h"
#include "core/WtsAFR.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "mainwin/frmMain.h"
#include "sim/SimEngine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Warmup = 200;
constexpr int Replies = 3000;
constexpr double PollMs = 20.0;

// A program folder of its own with the shipped starting files.
bool Fill_Program_Folder(const QTemporaryDir& dir) {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const char* name : {"BLANKKVR6.WTS", "KVR6SetDisplay.cfg", "KVR6SetVariables.cfg"}) {
        const QString n = QString::fromLatin1(name);
        if (!QFile::copy(bin.filePath(n), dir.filePath(n))) {
            std::fprintf(stderr, "missing %s beside the program\n", name);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    if (!home.isValid() || !Fill_Program_Folder(home))
        return 1;
    qputenv("KVR6_HOME", QFile::encodeName(home.path()));

    UnitName = QStringLiteral("KVR6");
    OnlineState = QStringLiteral("Offline");
    WtsAFR::Init_AFR_Tables();
    frmMain window;
    window.Link.Comm_Timer.stop();
    // The sequencer loads the default map, so the RPM bar has its break points.
    for (int tick = 0; tick < 20 && window.C_Pause->isActive(); ++tick)
        window.C_Pause_Timer();
    window.C_Pause->stop();
    window.Set_RPM_Indication_BAR();
    window.show();
    QCoreApplication::processEvents();

    std::vector<double> micros;
    micros.reserve(Replies);
    QElapsedTimer clock;
    for (int poll = 0; poll < Warmup + Replies; ++poll) {
        const sim::EngineState engine = sim::Engine::at(poll);
        clock.start();
        LiveRpm = engine.rpm;
        Reading3 = static_cast<float>(engine.deflection / 51.0);
        Reading0 = static_cast<float>(engine.analogIn / 25.5);
        LambdaRaw = engine.lambda;
        AnalogIn1 = engine.engineTemp;
        AnalogIn2 = engine.ampIn;
        LiveMapCell = (engine.deflection / 32) * 16 + std::min(15, engine.rpm / 500);
        Hooks().Cursor_Movement();
        if (LiveRpm > 90)
            Hooks().Plot_Setup();
        Hooks().RPM_Bar_movement();
        Hooks().Bar_Draw();
        Hooks().Text_Values();
        QCoreApplication::processEvents(); // the repaint
        if (poll >= Warmup)
            micros.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
    }

    std::sort(micros.begin(), micros.end());
    const double median = micros[micros.size() / 2];
    const double p90 = micros[micros.size() * 9 / 10];
    std::printf("live refresh of one reply on the main window (offscreen), %d replies:\n", Replies);
    std::printf("  median %.1f us, 90th percentile %.1f us\n", median, p90);
    std::printf("  polling every %.0f ms: %.2f %% of one core\n", PollMs,
                median / 1000.0 / PollMs * 100.0);
    return 0;
}
