#include "tests/mainwin/MainTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

namespace {

QString shotPath(const QString& name) {
    // Beside the test programs, in the build folder.
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    QDir().mkpath(dir);
    return QDir(dir).absoluteFilePath(name);
}

} // namespace

TEST_F(MainTest, ScreenshotOffline) {
    frmMain& w = load();
    runSequencer();
    w.show();
    const QPixmap shot = w.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(shotPath(QStringLiteral("main-offline.png"))));
}
