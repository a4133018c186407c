#include "core/ImageSnapshot.h"

#include "core/CoreState.h"

ImageSnapshot ImageSnapshot::Take() {
    return {ParamBlock, Map5Image,         Map6Image, Image3,    AmpAxisTable, MapId,
            MapDscr,    WiringDiagramName, UserName,  TestDates, MapInfo,      NoTuneFlag};
}

void ImageSnapshot::Restore() const {
    ParamBlock = param;
    Map5Image = map5;
    Map6Image = map6;
    Image3 = image3;
    AmpAxisTable = ampAxis;
    MapId = mapId;
    MapDscr = mapDscr;
    WiringDiagramName = wiringDiagramName;
    UserName = userName;
    TestDates = testDates;
    MapInfo = mapInfo;
    NoTuneFlag = noTuneFlag;
}
