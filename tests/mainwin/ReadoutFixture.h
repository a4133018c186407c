#pragma once

#include "core/CoreState.h"
#include "core/WtsAFR.h"
#include "link/LinkState.h"
#include "mainwin/Readings.h"
#include "tests/core/ImageFixture.h"

#include <QPaintEvent>
#include <QRegion>
#include <QString>
#include <initializer_list>

// A loaded image at 4 cylinders with the AFR table filled and empty display tables;
// rows are added as the display set-up window would leave them.
class ReadoutTest : public ImageTest {
protected:
    ReadoutTest() {
        WtsAFR::Init_AFR_Tables();
        DisplaySetTable[0][0] = QStringLiteral("-1");
    }

    struct Row {
        QString id, bar, text, name, min, max, plot;
        bool offered = true;
    };
    // Appends display rows after the last used one.
    static void addRows(std::initializer_list<Row> rows) {
        int last = DisplaySetTable[0][0].toInt();
        for (const Row& r : rows) {
            ++last;
            DisplaySetTable[last] = {QString(), r.id,  r.bar, r.text, r.name,
                                     r.name,    r.min, r.max, r.plot};
            DisplayFuncTable[last][3] = r.offered ? QStringLiteral("1") : QStringLiteral("0");
        }
        DisplaySetTable[0][0] = QString::number(last);
    }
};

// A widget that records the region each of its repaints covers.
template <class Widget> class Recording : public Widget {
public:
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        Widget::paintEvent(event);
    }
};
