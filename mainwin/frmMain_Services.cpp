// What the main window offers other windows (mainwin/MainWindow.h) beyond the
// grid and reading procedures it implements elsewhere.

#include "core/CoreState.h"
#include "link/SendRule.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QLabel>
#include <algorithm>

int frmMain::Shown_Tab() const {
    return std::clamp(MapTab, 1, 3);
}

QString frmMain::Step_Caption(int key) const {
    const std::array<QAction*, 6> entries{mnuF4, mnuF5, mnuF6, mnuF7, mnuF8, mnuF9};
    if (key < 4 || key > 9 || entries[key - 4] == nullptr)
        return QString();
    return entries[key - 4]->text();
}

void frmMain::Show_Main(bool visible) {
    setVisible(visible);
}

void frmMain::Show_Playback_Loaded(const QString& path) {
    lblNoComms[0]->setText(QStringLiteral("Status: Play Back"));
    lblNoComms[0]->setVisible(true);
    lblNoComms[1]->setVisible(true);
    lblWebsite->setVisible(true);
    StatusPanel[4]->setText(QStringLiteral("Play Back : ") + path);
}

void frmMain::Show_Tune_File(const QString&) {
    // Panel 1 names the current map's file (TuneFileName) once no notice is in
    // force: a new file is news, so an earlier notice goes.
    SendRule::Tell(QString());
}
