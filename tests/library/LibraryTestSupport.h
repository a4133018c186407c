#pragma once

#include "core/CoreState.h"
#include "library/TuneMapFile.h"
#include "mainwin/MainState.h"
#include "platform/Dialogs.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/TempProgramFolder.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <tuple>

// The 35 map rows a tune-map file carries, every value `value`, as text lines.
inline QStringList fullRows(int value) {
    ImageTable t;
    t.fill(static_cast<std::int16_t>(value));
    QStringList rows;
    for (const auto& [page, first, last] : {std::tuple{0, 8, 15}, {1, 0, 15}, {2, 0, 10}})
        for (int r = first; r <= last; ++r)
            rows << WtsGeneral::Map_Row_Line(r, page, t);
    return rows;
}

// A fresh program folder and shared state, scripted dialogs, the date in the
// British short form, and a fixed image, dealer, contact and file record.
class LibraryTest : public ::testing::Test, protected FreshState {
protected:
    LibraryTest() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        UnitName = QStringLiteral("KVR6");
    }
    ~LibraryTest() override { QLocale::setDefault(QLocale::system()); }
    // Every byte of the image differs from its neighbours and from its place in
    // the other pages.
    static void fillImage() {
        for (int a = 0; a < 256; ++a) {
            ParamBlock[a] = static_cast<std::int16_t>(a);
            Map5Image[a] = static_cast<std::int16_t>(255 - a);
            Map6Image[a] = static_cast<std::int16_t>((a * 7 + 3) % 256);
        }
    }
    static void fillRecords() {
        DealerCompany = QStringLiteral("Fast Lane Motors");
        DealerPhone = QStringLiteral("011 555 0100");
        DealerFax = QStringLiteral("011 555 0101");
        DealerEmail = QStringLiteral("shop@fastlane.example");
        LibRecord = {};
        LibRecord[0] = QStringLiteral("9");
        LibRecord[1] = QStringLiteral("Audi-A4-1999-Car-Stage ") + QChar(170);
        LibRecord[2] = QStringLiteral("Audi A4.kvr");
        LibRecord[3] = QStringLiteral("Audi");
        LibRecord[4] = QStringLiteral("Stage 1");
        LibRecord[5] = QStringLiteral("A4");
        LibRecord[6] = QStringLiteral("Car");
        LibRecord[7] = QStringLiteral("1999");
        ContactFields[1] = QStringLiteral("Jo");
        ContactFields[2] = QStringLiteral("Soap");
        ContactFields[5] = QStringLiteral("jo@soap.example");
    }
    static QDateTime clock() { return QDateTime(QDate(2026, 3, 5), QTime(9, 7, 2)); }

    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
};
