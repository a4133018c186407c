#pragma once

// One copy of the unit image, taken before something changes it and put back
// whole when that something is cancelled or fails: the all-or-nothing loads of
// map files, the console's refused commands, Cancel of a window that edits the
// image. Every table of the image and every text-area field a load or an edit
// changes is in it.

#include "core/UnitImage.h"

#include <QString>
#include <array>

// What a tune-map file's header says of the map it holds.
struct MapInfoRecord {
    QString type;
    QString make;
    QString model;
    QString year;
    QString fileName;
    QString owner;
    QString ownerEmail;
    bool operator==(const MapInfoRecord&) const = default;
};

struct ImageSnapshot {
    // The image as it is now.
    static ImageSnapshot Take();
    // Puts all of it back, whole.
    void Restore() const;

    // Page 4, page 5, page 6 and the two tables only map files fill.
    ImageTable param;
    ImageTable map5;
    ImageTable map6;
    ImageTable image3;
    ImageTable ampAxis;
    // The texts the map carries and the unit's text area.
    QString mapId;
    QString mapDscr;
    QString wiringDiagramName;
    QString userName;
    std::array<QString, 6> testDates;
    // The header record of the file the map came from, and the map's lock mark.
    MapInfoRecord mapInfo;
    int noTuneFlag = 0;

    bool operator==(const ImageSnapshot&) const = default;
};
