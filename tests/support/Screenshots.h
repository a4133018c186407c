#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

// Where a test saves a window's screenshot (a PNG to open and judge): the
// "screenshots" folder beside the test programs' folder, made when missing.
inline QString Screenshot_Path(const QString& name) {
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    QDir().mkpath(dir);
    return QDir(dir).absoluteFilePath(name);
}
