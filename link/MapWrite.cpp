#include "link/MapWrite.h"

#include "core/CoreState.h"
#include "core/UnitImage.h"
#include "link/LinkState.h"
#include "link/WtsUp.h"

#include <algorithm>

namespace MapWrite {
namespace {

const std::array<Place, 6> Places{{
    {5, Idx_AnaMap, 128, true, "analog map"},
    {6, Idx_InjMap, 128, false, "injection map"},
    {5, Idx_IgnMap, 128, true, "ignition map"},
    {6, Idx_AnaAmpCol, 16, false, "analog AMP column"},
    {6, Idx_InjAmpCol, 16, false, "injection AMP column"},
    {6, Idx_IgnAmpCol, 16, true, "ignition AMP column"},
}};

ImageTable& Mirror(int page) {
    return page == 4 ? ParamBlock : page == 5 ? Map5Image : Map6Image;
}

int Byte_Of(int value) {
    return value < 0 ? value + 256 : value;
}

// Every store of the write path into the image goes through here.
void Store(int page, int address, int value) {
    if (ImageStoreSeam)
        ImageStoreSeam(page, address);
    Mirror(page)[address] = static_cast<std::int16_t>(Byte_Of(value));
}

Written Refused(int page, int address, int value) {
    Refusal r;
    r.page = page;
    r.address = address;
    r.value = value;
    r.text = QStringLiteral("page %1 address %2 would hold %3, which is not a byte (0 to 255)")
                 .arg(page)
                 .arg(address)
                 .arg(value);
    return Written{QByteArray(), r};
}

Written Wrong_Place(const Place& p, const QString& what, int index) {
    Refusal r;
    r.page = p.page;
    r.address = -1;
    r.value = index;
    r.text = QStringLiteral("the %1 has no %2 %3").arg(QLatin1String(p.name), what).arg(index);
    return Written{QByteArray(), r};
}

// Stores the values at first.. of a page and builds the row write; the image is
// touched only once every value is known to fit.
template <std::size_t N>
Written Store_Row(int page, int first, const std::array<int, N>& values, bool signedMap,
                  char letter, bool padded) {
    for (std::size_t k = 0; k < N; ++k) {
        const int value = values[k];
        const bool fits = value <= 255 && value >= (signedMap ? -128 : 0);
        if (!fits)
            return Refused(page, first + static_cast<int>(k), value);
    }
    for (std::size_t k = 0; k < N; ++k)
        Store(page, first + static_cast<int>(k), values[k]);
    QByteArray frame = WtsUp::Row_Write_Frame(letter, first, Mirror(page));
    if (padded)
        frame.append(QByteArray(WtsUp::PadLength, '\0'));
    return Written{frame, std::nullopt};
}

} // namespace

const Place& Place_Of(Map map) {
    return Places[static_cast<std::size_t>(map)];
}

Map Of_Tab(int tab, int editField) {
    const bool amp = editField == 2;
    switch (tab) {
    case 2:
        return amp ? Map::InjectionAmp : Map::Injection;
    case 3:
        return amp ? Map::IgnitionAmp : Map::Ignition;
    default:
        return amp ? Map::AnalogAmp : Map::Analog;
    }
}

bool Accepts(Map map, int value) {
    return value <= 255 && value >= (Place_Of(map).isSigned ? -128 : 0);
}

Written Write_Cell(Map map, int cell, int value) {
    const Place& p = Place_Of(map);
    if (cell < 0 || cell >= p.cells)
        return Wrong_Place(p, QStringLiteral("cell"), cell);
    const int address = p.base + cell;
    if (!Accepts(map, value))
        return Refused(p.page, address, value);
    Store(p.page, address, value);
    const QByteArray frame = p.page == 5 ? WtsUp::Build_Page5_Cell_Frame(address)
                                         : WtsUp::Build_Page6_Cell_Frame(address);
    return Written{frame, std::nullopt};
}

Written Write_Column(Map map, int column, const std::array<int, 16>& values) {
    const Place& p = Place_Of(map);
    if (column < 0 || column >= p.cells / 16)
        return Wrong_Place(p, QStringLiteral("column"), column);
    const char letter = p.page == 5 ? WtsUp::ReadPage5 + 4 : WtsUp::ReadPage6 + 4;
    // The unit takes the ignition grid's column with the padding.
    return Store_Row(p.page, p.base + column * 16, values, p.isSigned, letter,
                     map == Map::Ignition);
}

Written Write_Param_Row(int row, const std::array<int, 16>& values) {
    if (row < 0 || row > 240 || row % 16 != 0) {
        Refusal r;
        r.page = 4;
        r.address = row;
        r.text = QStringLiteral("page 4 has no row at %1").arg(row);
        return Written{QByteArray(), r};
    }
    return Store_Row(4, row, values, false, WtsUp::ReadParam + 4, true);
}

} // namespace MapWrite
