// The global parameter screen used as a tuner uses it, through the main window's
// menus, the library window and the real serial port against the simulated unit:
// what the unit receives and holds is compared with what it held and with what
// the screen shows.

#include "core/UnitBytes.h"
#include "core/WtsUpFormat.h"
#include "link/SendRule.h"
#include "platform/NumberRules.h"
#include "setup/Entries.h"
#include "setup/SetupState.h"
#include "setup/frmOptions.h"
#include "tests/library/WindowTestSupport.h"
#include "tests/support/LinkWaits.h"

#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <cmath>
#include <functional>
#include <map>

using namespace OptionsMap;

namespace {

// Tabs of the screen.
constexpr int IgnitionTab = 2;
constexpr int CylindersTab = 4;
constexpr int SwitchTab = 5;
constexpr int SystemTab = 7;

class ParamScreenEndToEnd : public LibraryWindowTest {
protected:
    frmOptions& openScreen(frmMain& w) {
        Setup::Wire_Entries(w);
        w.mnuGlobal->trigger();
        frmOptions* o = FormInstance<frmOptions>::ifLoaded();
        EXPECT_NE(o, nullptr);
        return *o;
    }
    // A page 4 unlike the factory's: 128..143 all 0 (so the temperature and the
    // deflection switch points lie below their ranges), 4 cylinders, deflection
    // points up to 100 %, a calibration, the max-RPM record bytes at 255 and an
    // RPM scale of 600 .. 7000.
    void setIndependentPage() {
        for (int a = 128; a < 256; ++a)
            unit.setByte(4, a, 0);
        unit.setByte(4, Idx_Cylinders, 4);
        const int defl[] = {36, 73, 109, 146, 182, 219, 255};
        for (int k = 0; k < 7; ++k)
            unit.setByte(4, 153 + k, defl[k]);
        const int cal[] = {4, 1, 12, 1, 30, 15, 200, 100};
        for (int k = 0; k < 8; ++k)
            unit.setByte(4, 193 + k, cal[k]);
        unit.setByte(4, Idx_MreReset1, 255);
        unit.setByte(4, Idx_MreReset2, 255);
        for (int n = 0; n < 16; ++n) {
            const double rpm = 600.0 + n * 6400.0 / 15.0;
            const int period = static_cast<int>(std::lround(TimerClock / 4 / rpm));
            unit.setByte(4, Idx_RpmScale + 2 * n, period / 256);
            unit.setByte(4, Idx_RpmScale + 2 * n + 1, period % 256);
        }
    }
    std::vector<int> unitPage4() const { return unitBytes(4, 128, 255); }
    // Every page-4 byte the unit received in a row write, by address: the last one.
    std::map<int, int> page4Received() const {
        std::map<int, int> got;
        for (const QByteArray& f : unit.frames())
            if (f.size() >= 18 && f[0] == '<')
                for (int k = 0; k < 16; ++k)
                    got[static_cast<unsigned char>(f[1]) + k] =
                        static_cast<unsigned char>(f[2 + k]);
        return got;
    }
    QStringList texts() const { return dialogs.texts(); }
    static void tab(frmOptions& o, int index) { o.tbsOptions->setCurrentIndex(index); }
    static void press(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static QString replacedNotice() { return QStringLiteral("The map image changed"); }
    bool told(const QString& part) const {
        return std::any_of(dialogs.records().begin(), dialogs.records().end(),
                           [&](const auto& r) { return r.text.contains(part); });
    }
};

} // namespace

// Opening and closing the screen, or changing one thing on it, sends the unit
// exactly the bytes it held, but the one changed: also the temperature and
// deflection switch points that show "OFF" because they lie below their ranges.
TEST_F(ParamScreenEndToEnd, TheUnitReceivesWhatItHeldButWhatWasChanged) {
    struct Case {
        const char* what;
        std::function<void(ParamScreenEndToEnd&, frmMain&, frmOptions&)> use;
        std::map<int, int> changed; // address -> the byte the user chose
    };
    const Case cases[] = {
        {"open and OK", [](auto&, frmMain&, frmOptions& o) { press(o.cmdOK); }, {}},
        {"open, six cylinders, Apply",
         [](auto&, frmMain&, frmOptions& o) {
             tab(o, CylindersTab);
             press(o.optcyl[5]);
             press(o.cmdApply);
         },
         {{Idx_Cylinders, 6}}},
        {"open, Cancel, Tools > Download",
         [](auto&, frmMain& w, frmOptions& o) {
             press(o.cmdCancel);
             w.mnuDownload->trigger();
         },
         {}},
    };
    setIndependentPage();
    const std::vector<int> held = unitPage4();
    frmMain& w = openOnlineWired();
    ASSERT_EQ(bytes(ParamBlock, 128, 255), held);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        for (int a = 128; a < 256; ++a)
            unit.setByte(4, a, held[static_cast<std::size_t>(a - 128)]);
        w.mnuUpload->trigger();
        ASSERT_TRUE(Wait_Link_Settled());
        ASSERT_EQ(bytes(ParamBlock, 128, 255), held);
        frmOptions& o = openScreen(w);
        EXPECT_EQ(o.lblValue[sldSwi2]->text(), QStringLiteral("OFF"));
        EXPECT_EQ(o.lblValue[sldSwi4]->text(), QStringLiteral("OFF"));
        unit.clearFrames();
        k.use(*this, w, o);
        ASSERT_TRUE(Wait_Link_Settled());
        const std::map<int, int> received = page4Received();
        EXPECT_FALSE(received.empty()) << "the rows went out";
        for (const auto& [address, byte] : received) {
            if (address < 128)
                continue;
            const auto change = k.changed.find(address);
            const int expected = change != k.changed.end()
                                     ? change->second
                                     : held[static_cast<std::size_t>(address - 128)];
            EXPECT_EQ(byte, expected) << "address " << address;
        }
        std::vector<int> now = held;
        for (const auto& [address, byte] : k.changed)
            now[static_cast<std::size_t>(address - 128)] = byte;
        EXPECT_EQ(unitPage4(), now);
        EXPECT_EQ(bytes(ParamBlock, 128, 255), now);
        FormInstance<frmOptions>::unload();
    }
}

// Left open while a map is loaded from the library, the screen shows the loaded
// map, says that its unapplied edits were replaced, and OK stores the map's bytes,
// not the old buttons.
TEST_F(ParamScreenEndToEnd, AScreenLeftOpenAcrossALibraryLoadShowsTheLoadedMap) {
    frmMain& w = openWired();
    const Image file = writeTune(QStringLiteral("Road.kvr"), 11);
    frmOptions& o = openScreen(w);
    tab(o, CylindersTab);
    press(o.optcyl[5]);
    tab(o, SystemTab);
    press(o.optOn[0]);
    press(o.optOn[5]);

    frmLoadLib& lib = openLibrary(w);
    lib.chkDownNOW->setChecked(false);
    clickRow(lib, QStringLiteral("Road.kvr"));
    press(lib.cmdMap);
    ASSERT_EQ(bytes(ParamBlock, 128, 255), bytes(file.param, 128, 255));

    ASSERT_TRUE(QTest::qWaitFor([&] { return told(replacedNotice()); }, 5000)) << texts().join("|");
    EXPECT_TRUE(o.optcyl[3]->isChecked()) << "the map's 4 cylinders";
    EXPECT_TRUE(o.optOff[0]->isChecked());
    EXPECT_TRUE(o.optOff[5]->isChecked());
    EXPECT_EQ(o.lblValue[sldSpe1]->text(), WtsUp::Fmt_Param_Percent(Idx_SpeedAdjust));
    press(o.cmdOK);
    EXPECT_TRUE(Wait_Unloaded<frmOptions>());
    EXPECT_EQ(bytes(ParamBlock, 128, 255), bytes(file.param, 128, 255));

    // Without edits on it the screen follows the next load without a word.
    const Image other = writeTune(QStringLiteral("Track.kvr"), 40);
    frmOptions& again = openScreen(w);
    dialogs.clear();
    frmLoadLib& lib2 = openLibrary(w);
    lib2.chkDownNOW->setChecked(false);
    clickRow(lib2, QStringLiteral("Track.kvr"));
    press(lib2.cmdMap);
    ASSERT_EQ(bytes(ParamBlock, 128, 255), bytes(other.param, 128, 255));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return again.lblValue[sldSpe1]->text() == WtsUp::Fmt_Param_Percent(Idx_SpeedAdjust);
        },
        5000));
    QTest::qWait(300);
    EXPECT_FALSE(told(replacedNotice())) << texts().join("|");
}

// Left open while the program goes on-line, the screen shows the unit's values
// once they are read, and OK sends them back as the unit holds them.
TEST_F(ParamScreenEndToEnd, AScreenLeftOpenAcrossGoingOnLineShowsTheUnitsValues) {
    unit.setByte(4, Idx_Cylinders, 6);
    unit.setByte(4, Idx_OptionBits1, 0x21);
    unit.setByte(4, Idx_OptionBits2, 0x02);
    const std::vector<int> held = unitPage4();
    frmMain& w = openWired();
    frmOptions& o = openScreen(w);
    ASSERT_TRUE(o.optcyl[3]->isChecked()) << "the blank map's 4 cylinders";
    tab(o, 1);
    o.sld[sldAna1]->setFocus();
    QTest::keyClick(o.sld[sldAna1], Qt::Key_Right);

    w.mnuOnline->trigger();
    ASSERT_TRUE(Wait_Link_Settled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return told(replacedNotice()); }, 5000)) << texts().join("|");
    EXPECT_TRUE(o.optcyl[5]->isChecked());
    EXPECT_TRUE(o.optOn[0]->isChecked());
    EXPECT_TRUE(o.optOn[5]->isChecked());
    EXPECT_TRUE(o.optOn[9]->isChecked());
    unit.clearFrames();
    press(o.cmdOK);
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_FALSE(page4Received().empty());
    EXPECT_EQ(unitPage4(), held);
    EXPECT_EQ(bytes(ParamBlock, 128, 255), held);
}

// A change of cylinders moves the ignition limits and the RPM switch point with
// it: what no longer fits is told, and what the unit then holds is what the
// screen shows.
TEST_F(ParamScreenEndToEnd, TheIgnitionLimitAndTheRpmSwitchFollowTheCylinders) {
    // A switch point of 7000 RPM on the factory scale (500 .. 8000 at 4 cylinders).
    const int period = static_cast<int>(std::lround(TimerClock / 4 / 7000.0));
    unit.setByte(4, Idx_SwitchRpm, period / 256);
    unit.setByte(4, Idx_SwitchRpmLow, period % 256);
    frmMain& w = openOnlineWired();
    frmOptions& o = openScreen(w);
    tab(o, IgnitionTab);
    o.sld[sldIgn1]->setFocus();
    QTest::keyClick(o.sld[sldIgn1], Qt::Key_End);
    ASSERT_EQ(o.lblValue[sldIgn1]->text(), QStringLiteral("45"));
    tab(o, SwitchTab);
    const QString rpm = o.lblValue[sldSwi1]->text();
    ASSERT_EQ(rpm,
              NumberRules::Format(UnitBytes::Rpm_Of_Period(period, 4), QStringLiteral("####0")));

    tab(o, CylindersTab);
    dialogs.clear();
    press(o.optcyl[5]);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(told(QStringLiteral("the limit of 45 degrees now reads 30"))) << texts().join("|");
    EXPECT_TRUE(told(QStringLiteral("the RPM switch point of ") + rpm +
                     QStringLiteral(" RPM lies above it and now reads 5351 RPM")))
        << texts().join("|");
    EXPECT_EQ(o.sld[sldIgn1]->maximum(), 30);
    EXPECT_EQ(o.lblMax[sldIgn1]->text(), QStringLiteral("30"));
    EXPECT_EQ(o.lblValue[sldIgn1]->text(), QStringLiteral("30"));
    EXPECT_EQ(o.lblValue[sldSwi1]->text(), QStringLiteral("5351"));

    unit.clearFrames();
    press(o.cmdApply);
    ASSERT_TRUE(Wait_Link_Settled());
    ASSERT_EQ(unit.byte(4, Idx_Cylinders), 6);
    // The unit's bytes, read at its 6 cylinders, are what the screen shows.
    const int advance = unit.byte(4, Idx_IgnAdvLimit);
    EXPECT_EQ(o.lblValue[sldIgn1]->text(),
              QString::number(NumberRules::RoundEven(UnitBytes::Degrees(advance, 6))));
    const int switchPeriod = unit.byte(4, Idx_SwitchRpm) * 256 + unit.byte(4, Idx_SwitchRpmLow);
    EXPECT_EQ(
        o.lblValue[sldSwi1]->text(),
        NumberRules::Format(UnitBytes::Rpm_Of_Period(switchPeriod, 6), QStringLiteral("####0")));
    // Opened again, the screen shows the same.
    press(o.cmdOK);
    ASSERT_TRUE(Wait_Unloaded<frmOptions>());
    frmOptions& again = openScreen(w);
    EXPECT_EQ(again.lblValue[sldIgn1]->text(), QStringLiteral("30"));
    EXPECT_EQ(again.lblValue[sldSwi1]->text(), QStringLiteral("5351"));
}

// An Apply off-line is an off-line edit: going on-line asks before the read-out
// replaces it; No stays off-line with the edit.
TEST_F(ParamScreenEndToEnd, ApplyOffLineThenGoingOnLineAsksFirst) {
    frmMain& w = openWired();
    frmOptions& o = openScreen(w);
    tab(o, CylindersTab);
    press(o.optcyl[5]);
    press(o.cmdApply);
    ASSERT_EQ(ParamBlock[Idx_Cylinders], 6);
    EXPECT_FALSE(o.cmdApply->isEnabled());
    EXPECT_EQ(w.StatusPanel[SendRule::NoticePanel]->text(), SendRule::OfflineNotice);

    dialogs.clear();
    dialogs.answer(Dialogs::Answer::No);
    w.mnuOnline->trigger();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Changes not sent"));
    EXPECT_EQ(OnlineState, QStringLiteral("Offline"));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 6);
    EXPECT_TRUE(o.optcyl[5]->isChecked());
}

// Off-line with a port that could not be opened, the values go into the image as
// grid edits do.
TEST_F(ParamScreenEndToEnd, OffLineWithAnUnusablePortTheValuesGoIntoTheImage) {
    qputenv("KVR6_COM1", folder.file(QStringLiteral("no such port")).toLocal8Bit());
    frmMain& w = openWired();
    w.mnuOnline->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return SendPending == SendPortFailed; }, 5000));
    if (OnlineState != OnlineStates::Offline)
        w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, QStringLiteral("Offline"));
    ASSERT_EQ(SendPending, SendPortFailed);
    frmOptions& o = openScreen(w);
    tab(o, CylindersTab);
    press(o.optcyl[7]);
    dialogs.clear();
    press(o.cmdOK);
    EXPECT_TRUE(Wait_Unloaded<frmOptions>());
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 10);
    EXPECT_TRUE(dialogs.records().empty()) << texts().join("|");
}

// A unit that stops answering refuses the store in the send rule's own words, not
// as a unit being read; OK keeps the window open with its edits, and once the unit
// answers again OK sends them.
TEST_F(ParamScreenEndToEnd, ASilentUnitIsToldAsSilentAndOkKeepsTheEdits) {
    frmMain& w = openOnlineWired();
    frmOptions& o = openScreen(w);
    tab(o, CylindersTab);
    press(o.optcyl[5]);
    unit.faults.silent = true;
    while (bad_cnt < SendRule::SilentTicks)
        w.Link.Comm_Timer_Timer();
    dialogs.clear();
    press(o.cmdOK);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].text, SendRule::Notice(SendRule::Verdict::NoAnswer));
    EXPECT_TRUE(Still_Loaded<frmOptions>());
    EXPECT_TRUE(o.optcyl[5]->isChecked());
    EXPECT_TRUE(o.cmdApply->isEnabled());
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 4);

    unit.faults.silent = false;
    ASSERT_TRUE(Wait_Link_Settled());
    ASSERT_TRUE(o.optcyl[5]->isChecked()) << "the read-out after the silence changed nothing";
    dialogs.clear();
    press(o.cmdOK);
    EXPECT_TRUE(dialogs.records().empty()) << texts().join("|");
    EXPECT_TRUE(Wait_Unloaded<frmOptions>());
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(unit.byte(4, Idx_Cylinders), 6);
}

// The maps the program ships open the screen without an error box.
TEST_F(ParamScreenEndToEnd, TheShippedMapsOpenTheScreenWithoutABox) {
    const QString samples[] = {QStringLiteral("Double Cab 2.4 Economy.kvr"),
                               QStringLiteral("Hatch 1.8T Stage 1.kvr"),
                               QStringLiteral("Panel Van 2.2 Tow.kvr")};
    for (const QString& name : samples)
        folder.copyData(name);
    frmMain& w = openWired();
    // The blank map is the default map, the samples are loaded from the library.
    const QString maps[] = {QString(), samples[0], samples[1], samples[2]};
    for (const QString& name : maps) {
        SCOPED_TRACE(name.isEmpty() ? std::string("BLANKKVR6.WTS") : name.toStdString());
        if (!name.isEmpty()) {
            frmLoadLib& lib = openLibrary(w);
            clickRow(lib, name);
            press(lib.cmdMap);
            ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
        }
        dialogs.clear();
        frmOptions& o = openScreen(w);
        EXPECT_TRUE(dialogs.records().empty()) << texts().join("|");
        EXPECT_EQ(o.lblValue[sldSwi1]->text(), QStringLiteral("OFF"));
        press(o.cmdCancel);
        ASSERT_TRUE(Wait_Unloaded<frmOptions>());
    }
}
