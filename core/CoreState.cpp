#include "core/CoreState.h"

#include "platform/StateReset.h"

ImageTable ParamBlock;
ImageTable Map5Image;
ImageTable Map6Image;
ImageTable Image3;
ImageTable AmpAxisTable;

QString OnlineState;
QString UnitName;
int ProductNumber;
int PbTop;
int PbLeft;

int UnitOnline;
int MapTab;
int MapLoaded;
int MapDirty;
std::optional<ImageSnapshot> KeptImageCopy;
QString LogBaseName;

QString DealerCompany;
QString DealerOwner;
QString DealerPhone;
QString DealerFax;
QString DealerEmail;
QString DealerWeb;
QString SettingsDate;
int NoTuneFlag;
int BrandingFlag;
int AdvBranding;
int cfg_CommPort;
int cfg_CommSpeed;

QString TuneFileName;
QString NewTuneFileName;
QString MapDscr;
QString MapId;
QString WiringDiagramName;
MapInfoRecord MapInfo;
std::array<QString, 26> LibRecord;

QString UnitOwnerText;
std::array<QString, 6> TestDates;

QString& UserName = UnitOwnerText;
QString CaptionProduct;
QString CaptionOwner;
QString GraphTitle;

std::array<QString, 14> ContactFields;
std::array<QString, 41> TypeList;
std::array<QString, 101> MakeList;
std::vector<std::array<QString, 26>> WdTable;
DisplayTable DisplayFuncTable;
DisplayTable DisplaySetTable;
QString PlotLegend;

int CellValue;
int BarValue;
InputScale AmpScale;
InputScale TempScale;
std::array<float, 257> AfrTable;
std::array<float, 9> AfrTable2;

void ResetCoreState() {
    for (ImageTable* t : {&ParamBlock, &Map5Image, &Map6Image, &Image3, &AmpAxisTable})
        t->fill(0);
    OnlineState.clear();
    UnitName.clear();
    ProductNumber = 0;
    PbTop = 0;
    PbLeft = 0;
    UnitOnline = 0;
    MapTab = 1;
    MapLoaded = 0;
    MapDirty = 0;
    KeptImageCopy.reset();
    LogBaseName.clear();
    for (QString* s :
         {&DealerCompany, &DealerOwner, &DealerPhone, &DealerFax, &DealerEmail, &DealerWeb,
          &SettingsDate, &TuneFileName, &NewTuneFileName, &MapDscr, &MapId, &WiringDiagramName,
          &UnitOwnerText, &CaptionProduct, &CaptionOwner, &GraphTitle, &PlotLegend})
        s->clear();
    NoTuneFlag = 0;
    BrandingFlag = 0;
    AdvBranding = 0;
    cfg_CommPort = 1;
    cfg_CommSpeed = 100;
    MapInfo = {};
    LibRecord = {};
    TestDates = {};
    ContactFields = {};
    TypeList = {};
    MakeList = {};
    WdTable.assign(1, {});
    DisplayFuncTable = {};
    DisplaySetTable = {};
    CellValue = 0;
    BarValue = 0;
    AmpScale = {};
    TempScale = {};
    AfrTable = {};
    AfrTable2 = {};
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Core, ResetCoreState);
} // namespace
