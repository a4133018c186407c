#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A program folder of its own for one test: KVR6_HOME points at a fresh temporary
// folder for the fixture's lifetime, and the folder is removed afterwards.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.path() + '/' + name; }
    // Writes bytes as they stand (no line-end translation).
    void write(const QString& name, const QByteArray& bytes) const;
    // Writes lines each ended with CR LF, Latin-1.
    void writeLines(const QString& name, const QStringList& lines) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // Copies a file from the source tree's data/ folder into this folder.
    void copyData(const QString& name) const;
    // The source tree and the build's program folder (where kvr6 and kvr6-sim are);
    // KVR6_SOURCE_DIR and KVR6_BIN_DIR override them.
    static QString sourceDir();
    static QString binDir();

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};
