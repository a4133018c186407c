#include "link/ReadOut.h"

#include "core/CoreState.h"
#include "core/ImageSnapshot.h"
#include "core/KeptImage.h"
#include "core/UnitBytes.h"
#include "core/UnitImage.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/SendRule.h"
#include "link/UnitLink.h"
#include "link/WtsUp.h"
#include "platform/NumberRules.h"

namespace ReadOut {

namespace {

// The bar steps of the read-out: eight steps of 12 reach 96.
constexpr int BarStep = 12;
constexpr int LockedBar = 88;

int data(const QByteArray& reply, int k) {
    return static_cast<unsigned char>(reply.at(k + 2));
}

QString text(const QByteArray& reply, int k, int length) {
    return QString::fromLatin1(reply.mid(k + 2, length));
}

// The unit pads its texts with blanks, NULs or 255s; the owner text is shown in
// captions, so none of these may stand at either end.
QString ownerText(const QByteArray& reply, int k, int length) {
    QByteArray bytes = reply.mid(k + 2, length);
    const auto padding = [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b <= ' ' || b == 255;
    };
    while (!bytes.isEmpty() && padding(bytes.back()))
        bytes.chop(1);
    qsizetype start = 0;
    while (start < bytes.size() && padding(bytes.at(start)))
        ++start;
    return QString::fromLatin1(bytes.mid(start));
}

// Stores page bytes into the image. Bytes that differ from what the image held
// mean the map is the unit's (or the recording's) now, not the file it was
// loaded from or saved to: it has no file name, so Save asks for one rather
// than write this map over that file.
void store(ImageTable& table, int base, const QByteArray& reply, int count) {
    bool changed = false;
    for (int k = 0; k < count; ++k) {
        const auto value = static_cast<std::int16_t>(data(reply, k));
        changed = changed || table[base + k] != value;
        table[base + k] = value;
    }
    if (changed) {
        TuneFileName.clear();
        MapInfo.fileName.clear();
    }
}

void tick() {
    if (UnitLink* link = UnitLink::current())
        link->Comm_Timer_Timer();
}

// Hands over the next read; advance moves the timer to its next request state.
void request(char letter, int address, int count, bool advance) {
    ReadRequest = WtsUp::Read_Frame(letter, address, count);
    comm_rth = count + 2;
    if (advance)
        ++CommStatus;
    tick();
}

void selectTab() {
    Hooks().SelectTab(MapTab >= 1 && MapTab <= 3 ? MapTab : 1);
}

// Page 4 from 0 (the id of the active map): the progress window.
void mapIds() {
    Progress().Show();
    if (StatusMsg.isEmpty())
        StatusMsg = StatusStates::UploadingData;
    Progress().setText(StatusMsg);
    Progress().setValue(0);
    Hooks().ShowActiveMap(ActiveMap == 1 ? 1 : 2);
    Progress().addValue(BarStep);
    request(WtsUp::ReadParam, Idx_GlobalBase, 128, true);
}

// The image holds no map: every table and text as at the program's start but
// for `kept` (the program's own No-Tune setting always stays: it is no byte of a
// unit's), no file name and no record of a unit's speed. Nothing in it is lost
// when it is replaced.
void emptyImage(ImageSnapshot kept) {
    kept.noTuneFlag = NoTuneFlag;
    kept.Restore();
    TuneFileName.clear();
    MaxRpmSeen = 0;
    KeptImage::Mark_Kept();
}

// A locked unit's read-out read the map ids and the parameter block (page 4 from
// 128), no map. Whatever map the image held before is no unit's now: its cells
// beside the locked unit's settings would be a map that never existed. The image
// is left as this read-out leaves it at the program's start, empty but for what
// was read, so no screen and no file can show another map's cells under the
// locked unit's settings.
void leaveNoMap() {
    const ImageSnapshot read = ImageSnapshot::Take();
    ImageSnapshot left;
    for (int a = Idx_GlobalBase; a <= 255; ++a)
        left.param[a] = read.param[a];
    left.mapId = read.mapId;
    emptyImage(left);
    SendRule::No_Map_In_Image();
}

// A locked unit shows no maps: straight to polling, the progress window says so
// and closes itself after 3 s.
void lockedEnd() {
    Progress().addValue(BarStep);
    if (StatusMsg == StatusStates::UploadingData)
        StatusMsg = StatusStates::NoTuneEnabled;
    Progress().setText(StatusMsg);
    Progress().setValue(LockedBar);
    Progress().Restart_TimeMe(3000);
    UnitOnline = 1;
    ReadRequest = WtsUp::Poll_Frame();
    comm_rth = 18;
    CommStatus = CommStates::Replied;
    Hooks().arrange_table();
    // The readouts the display tables name stay in view; their values are not
    // taken from a locked unit, and they say so: nothing of the unit read before
    // stays shown, or held to be shown once the lock has ended.
    Forget_Readings();
    Hooks().Withhold_Readings();
    Hooks().Set_RPM_Indication_BAR();
    tick();
    // No map was read: the flag lets the tab be shown while locked, and the
    // lock's end takes it back (NoMapUnderLock). After this program's download
    // of the whole image the unit holds the image's map: it stays.
    if (ImageSentWhole == 1)
        ImageSentWhole = 0;
    else
        leaveNoMap();
    MapLoaded = -1;
    selectTab();
    Hooks().Arrange_NoTUNE(false);
}

void globals() {
    if (UnitLocked == 1) {
        lockedEnd();
        return;
    }
    request(WtsUp::ReadParam, Idx_MreReset1, 4, false);
}

void speedRecord() {
    Progress().addValue(BarStep);
    request(WtsUp::ReadPage5, Idx_IgnMap, 128, true);
}

void page(char nextLetter, int nextAddress, int nextCount) {
    Progress().addValue(BarStep);
    request(nextLetter, nextAddress, nextCount, true);
}

void owner() {
    request(WtsUp::ReadText, Idx_ClearBase, 128, false);
}

void selfTests() {
    Progress().addValue(BarStep);
    request(WtsUp::ReadText, Idx_TextBlock, 128, true);
}

// The last text block: the read-out is complete, the closing poll goes out.
void description() {
    UnitOnline = 1;
    Hooks().Main_Caption();
    ReadRequest = WtsUp::Poll_Frame();
    Progress().addValue(BarStep);
    comm_rth = 18;
    ++CommStatus;
    Hooks().arrange_table();
    Hooks().Set_RPM_Indication_BAR();
    tick();
    MapLoaded = -1;
    NoMapUnderLock = 0; // the unit's maps were read
    ImageSentWhole = 0;
    selectTab();
    Hooks().Arrange_NoTUNE(true);
    Progress().Hide();
    StatusMsg.clear();
    Progress().Form_Unload();
    // The image is the unit's now: nothing in it is lost if it is replaced.
    KeptImage::Mark_Kept();
    SendRule::Image_Is_Units();
}

} // namespace

QByteArray Outstanding_Request() {
    if (CommStatus == CommStates::FirstPage)
        return WtsUp::Read_Frame(WtsUp::ReadParam, Idx_ParamLow, 128);
    if (CommStatus >= CommStates::ReadOutFirst && CommStatus <= CommStates::ReadOutLast)
        return ReadRequest;
    return {};
}

bool Answers_Request(const QByteArray& reply) {
    const QByteArray asked = Outstanding_Request();
    // A read is letter, address, count, CR; the poll is no read.
    if (asked.size() != 4 || asked.at(0) == '1' || reply.size() < 2)
        return false;
    const int count = static_cast<unsigned char>(asked.at(2));
    return reply.at(0) == asked.at(0) && reply.at(1) == asked.at(1) && reply.size() == count + 2;
}

bool Store_Page(const QByteArray& reply) {
    if (reply.size() < 2)
        return false;
    const char letter = reply.at(0);
    const int address = static_cast<unsigned char>(reply.at(1));
    const auto is = [&](int at, int count) { return address == at && reply.size() == count + 2; };
    switch (letter) {
    case WtsUp::ReadParam:
        if (is(Idx_ParamLow, 128))
            MapId = text(reply, ActiveMap == 1 ? 0 : 64, 64);
        else if (is(Idx_GlobalBase, 128))
            store(ParamBlock, Idx_GlobalBase, reply, 128);
        else if (is(Idx_MreReset1, 4))
            MaxRpmSeen = Max_Rpm_Of_Record(data(reply, 0), data(reply, 1));
        else
            return false;
        return true;
    case WtsUp::ReadPage5:
        if (is(Idx_IgnMap, 128))
            store(Map5Image, Idx_IgnMap, reply, 128);
        else if (is(Idx_AnaMap, 128))
            store(Map5Image, Idx_AnaMap, reply, 128);
        else
            return false;
        return true;
    case WtsUp::ReadPage6:
        if (is(Idx_InjMap, 128))
            store(Map6Image, Idx_InjMap, reply, 128);
        else if (is(Idx_InjAmpCol, 48))
            store(Map6Image, Idx_InjAmpCol, reply, 48);
        else
            return false;
        return true;
    case WtsUp::ReadText:
        if (is(Idx_DealerText, 32)) {
            UserName = ownerText(reply, 0, 32);
        } else if (is(Idx_ClearBase, 128)) {
            for (int i = 0; i < static_cast<int>(TestDates.size()); ++i)
                TestDates[static_cast<std::size_t>(i)] = text(reply, 16 * i, 16);
        } else if (is(Idx_TextBlock, 128)) {
            MapDscr = text(reply, 0, 63);
            WiringDiagramName = text(reply, Idx_TextBlock2 - Idx_TextBlock, 16);
        } else {
            return false;
        }
        return true;
    default:
        return false;
    }
}

void Page_Reply(const QByteArray& reply) {
    if (!Store_Page(reply))
        return;
    const char letter = reply.at(0);
    const int address = static_cast<unsigned char>(reply.at(1));
    switch (letter) {
    case WtsUp::ReadParam:
        if (address == Idx_ParamLow)
            mapIds();
        else if (address == Idx_GlobalBase)
            globals();
        else if (address == Idx_MreReset1)
            speedRecord();
        break;
    case WtsUp::ReadPage5:
        if (address == Idx_IgnMap)
            page(WtsUp::ReadPage5, Idx_AnaMap, 128);
        else if (address == Idx_AnaMap)
            page(WtsUp::ReadPage6, Idx_InjMap, 128);
        break;
    case WtsUp::ReadPage6:
        if (address == Idx_InjMap)
            page(WtsUp::ReadPage6, Idx_InjAmpCol, 48);
        else if (address == Idx_InjAmpCol)
            page(WtsUp::ReadText, Idx_DealerText, 32);
        break;
    case WtsUp::ReadText:
        if (address == Idx_DealerText)
            owner();
        else if (address == Idx_ClearBase)
            selfTests();
        else if (address == Idx_TextBlock)
            description();
        break;
    default:
        break;
    }
}

bool Recorded_Page(const QByteArray& reply) {
    if (!Store_Page(reply))
        return false;
    // The main window shows the image as the end of a read-out does; the link
    // and the progress window are left alone.
    Hooks().Main_Caption();
    Hooks().arrange_table();
    Hooks().Set_RPM_Indication_BAR();
    MapLoaded = -1;
    selectTab();
    return true;
}

void Forget_Locked_Read() {
    emptyImage(ImageSnapshot{});
}

int Max_Rpm_Of_Record(int high, int low) {
    double period = high + low / 256.0;
    if (period < 50)
        period = 50;
    if (period > 254)
        return 0;
    return static_cast<int>(NumberRules::RoundEven(static_cast<double>(TimerClock) /
                                                   UnitBytes::Usable_Cylinders() / period));
}

} // namespace ReadOut
