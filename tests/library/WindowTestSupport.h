#pragma once

#include "library/Entries.h"
#include "library/LibraryState.h"
#include "library/TuneMapFile.h"
#include "library/frmDisLibNames.h"
#include "library/frmLibEdit.h"
#include "library/frmLoadLib.h"
#include "link/SendPath.h"
#include "platform/FormInstance.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

// The main window with the library's entries wired, the make and type lists in
// the program folder, and the simulated unit on serial port 1.
class LibraryWindowTest : public GridTest {
protected:
    LibraryWindowTest() {
        folder.copyData(QStringLiteral("KVR6Make.cfg"));
        folder.copyData(QStringLiteral("KVR6Type.cfg"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    ~LibraryWindowTest() override { QLocale::setDefault(QLocale::system()); }
    // The entries wired on the main window: the library's; a fixture of a folder
    // above it adds its own folder's.
    virtual void wireEntries(frmMain& w) { Library::Wire_Entries(w); }
    frmMain& openWired() {
        frmMain& w = open();
        wireEntries(w);
        return w;
    }
    frmMain& openOnlineWired() {
        return loadOnlineActive([this](frmMain& w) { wireEntries(w); });
    }
    // Writes a tune-map file of an image unlike the blank map and the unit's,
    // and puts the image back as it was. Returns the image written.
    struct Image {
        ImageTable param, map5, map6;
    };
    Image writeTune(const QString& name, int seed, const QString& make = QStringLiteral("Audi")) {
        const Image before{ParamBlock, Map5Image, Map6Image};
        for (int a = 0; a < 256; ++a) {
            Map5Image[a] = static_cast<std::int16_t>((a * 13 + seed) % 256);
            Map6Image[a] = static_cast<std::int16_t>((a * 17 + seed * 3) % 256);
        }
        ParamBlock[Idx_SpeedAdjust] = static_cast<std::int16_t>(seed);
        ParamBlock[Idx_FuelZeroCal] = static_cast<std::int16_t>(seed + 1);
        const auto record = LibRecord;
        LibRecord = {};
        LibRecord[0] = QStringLiteral("9");
        LibRecord[1] = make + QStringLiteral("-A4-1999-Car-Seed ") + QString::number(seed);
        LibRecord[2] = name;
        LibRecord[3] = make;
        LibRecord[4] = QStringLiteral("Seed ") + QString::number(seed);
        LibRecord[5] = QStringLiteral("A4");
        LibRecord[6] = QStringLiteral("Car");
        LibRecord[7] = QStringLiteral("1999");
        TuneMap::Write_New_File(name, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        const Image written{ParamBlock, Map5Image, Map6Image};
        ParamBlock = before.param;
        Map5Image = before.map5;
        Map6Image = before.map6;
        LibRecord = record;
        return written;
    }
    frmLoadLib& openLibrary(frmMain& w) {
        w.Run_Entry(w.mnuLoadLib);
        EXPECT_TRUE(FormInstance<frmLoadLib>::loaded());
        frmLoadLib& lib = FormInstance<frmLoadLib>::get();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&lib));
        return lib;
    }
    void clickRow(frmLoadLib& lib, const QString& name) {
        QTreeWidgetItem* item = lib.Row_Of(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        const QRect r = lib.ListView1->visualItemRect(item);
        QTest::mouseClick(lib.ListView1->viewport(), Qt::LeftButton, {}, r.center());
    }
    void clickHeader(frmLoadLib& lib, int column) {
        QHeaderView* h = lib.ListView1->header();
        const QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2,
                       h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }
    static QStringList listedNames(const frmLoadLib& lib) {
        QStringList names;
        for (int i = 0; i < lib.ListView1->topLevelItemCount(); ++i)
            names << lib.ListView1->topLevelItem(i)->text(TuneMap::ColFileName);
        return names;
    }
    // Types over the box's whole text (an emptied editor field holds one blank).
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }
    static std::vector<int> bytes(const ImageTable& t, int first, int last) {
        std::vector<int> v;
        for (int a = first; a <= last; ++a)
            v.push_back(t[a]);
        return v;
    }
    std::vector<int> unitBytes(int page, int first, int last) const {
        std::vector<int> v;
        for (int a = first; a <= last; ++a)
            v.push_back(unit.byte(page, a));
        return v;
    }
    bool unitHolds(const Image& image) const {
        return unitBytes(4, 128, 255) == bytes(image.param, 128, 255) &&
               unitBytes(5, 0, 255) == bytes(image.map5, 0, 255) &&
               unitBytes(6, 0, 175) == bytes(image.map6, 0, 175);
    }
    // Frames that write to the unit: page rows, cells and the text area.
    static bool isWrite(const QByteArray& f) {
        return !f.isEmpty() && QByteArray("<=>456A").contains(f[0]);
    }
    static bool isRead(const QByteArray& f) {
        return !f.isEmpty() && QByteArray("89:@").contains(f[0]);
    }
    // What the unit was sent was a full download, then the read-out of the pages
    // it wrote (4, 5 and 6), and no read before the writes.
    void expectDownloadThenReadOut() const {
        const auto& frames = unit.frames();
        const auto firstWrite = std::find_if(frames.begin(), frames.end(), isWrite);
        ASSERT_NE(firstWrite, frames.end()) << "nothing was written";
        const auto lastWrite = std::find_if(frames.rbegin(), frames.rend(), isWrite);
        EXPECT_TRUE(std::none_of(frames.begin(), firstWrite, isRead))
            << "no read before the writes";
        QByteArray readsAfter;
        for (auto it = lastWrite.base(); it != frames.end(); ++it) {
            if (isRead(*it))
                readsAfter += it->at(0);
        }
        EXPECT_TRUE(readsAfter.contains('8') && readsAfter.contains('9') &&
                    readsAfter.contains(':'))
            << readsAfter.toStdString();
    }
};
