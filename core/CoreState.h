#pragma once

// The state that the unit image, conversions and configuration own and every
// window reads and writes: one declaration each, defined in CoreState.cpp.

#include "core/ImageSnapshot.h"
#include "core/UnitImage.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// The unit image: page 4, page 5, page 6 and the two tables only map files fill.
extern ImageTable ParamBlock;
extern ImageTable Map5Image;
extern ImageTable Map6Image;
extern ImageTable Image3;
extern ImageTable AmpAxisTable;

// Connection mode, one of OnlineStates, and the mode file's fields.
extern QString OnlineState;
// The texts OnlineState holds ("Online2": on-line, but no answer since a reconnect).
namespace OnlineStates {
inline const QString Online = QStringLiteral("Online");
inline const QString Offline = QStringLiteral("Offline");
inline const QString Online2 = QStringLiteral("Online2");
} // namespace OnlineStates
extern QString UnitName;
extern int ProductNumber;
extern int PbTop;
extern int PbLeft;

// 1 once a read-out of the unit has finished (the link sets it; conversions read it).
extern int UnitOnline;
// The map tab the main window shows: 1 analog, 2 injection, 3 ignition.
extern int MapTab;

// Map flags: -1 true, 0 false.
extern int MapLoaded;
extern int MapDirty;
// The image as it was last kept (core/KeptImage.h); empty before any was.
extern std::optional<ImageSnapshot> KeptImageCopy;
extern QString LogBaseName;

// Dealer record.
extern QString DealerCompany;
extern QString DealerOwner;
extern QString DealerPhone;
extern QString DealerFax;
extern QString DealerEmail;
extern QString DealerWeb;
extern QString SettingsDate;
extern int NoTuneFlag;
extern int BrandingFlag;
extern int AdvBranding;
extern int cfg_CommPort;
extern int cfg_CommSpeed;

// Current-map record: the file it was saved to or loaded from, the name a header
// rewrite gives a library file, and the texts the map carries.
extern QString TuneFileName;
extern QString NewTuneFileName;
extern QString MapDscr;
extern QString MapId;
extern QString WiringDiagramName;
// What a tune-map file's header says of the map it holds (core/ImageSnapshot.h).
extern MapInfoRecord MapInfo;
extern std::array<QString, 26> LibRecord;

// The unit's text area as texts: owner text reported by the unit and the six
// self-test records.
extern QString UnitOwnerText;
extern std::array<QString, 6> TestDates;

// Window captions: the owner text of the unit (the same variable as UnitOwnerText;
// the full download sets it to DealerCompany), the product word and owner the
// caption builder used last, and the map word of the 3-D view.
extern QString& UserName;
extern QString CaptionProduct;
extern QString CaptionOwner;
extern QString GraphTitle;

// Lookup lists and tables (element 0 holds the count as text where the file format says so).
extern std::array<QString, 14> ContactFields;
extern std::array<QString, 41> TypeList;
extern std::array<QString, 101> MakeList;
extern std::vector<std::array<QString, 26>> WdTable; // rows 0..2500
using DisplayTable = std::array<std::array<QString, 9>, 27>;
extern DisplayTable DisplayFuncTable;
extern DisplayTable DisplaySetTable;
// Legend of the main window's strip-chart frame as the display tables give it;
// empty keeps the frame's designed caption "Live Lambda".
extern QString PlotLegend;

// Conversions: the whole number the degree formatters leave for the caller, the RPM
// of the last RPM axis point labelled or rebuilt, the two calibrated input scales
// and the air-fuel-ratio tables.
extern int CellValue;
extern int BarValue;
// A linear input scale over the 16 steps of the AMP axis: shown value = K x step + C,
// unit byte = G x step + O. valid is false while the calibration cannot give a scale
// (equal calibration steps, a step above 15); the numbers then stay as they were.
struct InputScale {
    float K = 0.0f;
    float C = 0.0f;
    float G = 0.0f;
    float O = 0.0f;
    bool valid = false;
};
extern InputScale AmpScale;
// The temperature (second) input; its G and O are the second input's byte scale.
extern InputScale TempScale;
// Air-fuel ratio by lambda-sensor byte (0 = not set) and the deflection weights.
extern std::array<float, 257> AfrTable;
extern std::array<float, 9> AfrTable2;

// Puts every variable above back to its program-start value.
void ResetCoreState();
