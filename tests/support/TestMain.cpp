#include "platform/GuardedApplication.h"

#include <csignal>
#include <gmock/gmock.h>

// Every test program runs with the program's own application object on the
// offscreen platform, so window tests drive real widgets.
int main(int argc, char** argv) {
    // As the program does: a file-size limit makes writes fail, never ends the run.
    std::signal(SIGXFSZ, SIG_IGN);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVR6"));
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
