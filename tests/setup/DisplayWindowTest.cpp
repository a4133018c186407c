// The display set-up screen on the real main window, off-line with the default map
// loaded: opened from "Setup Display", driven by keys and mouse, saved into the
// program folder's "KVR6SetDisplay.cfg".

#include "core/TableFiles.h"
#include "mainwin/BarIndicators.h"
#include "tests/setup/DisplayTestSupport.h"
#include "tests/support/WindowWaits.h"

#include <QCheckBox>
#include <QFile>
#include <algorithm>
#include <tuple>

namespace {

using DisplayWindow = DisplayWindowTest;

// The shipped master table offers every reading but 14 ("Not Used").
const QStringList ShippedLabels{
    "Analog Input V",   "Analog Mod", "Analog Output V",  "Deflection %",
    "Injection Length", "Ign Mod",    "Engine Period ms", "AFR",
    "AFR Input V",      "RPM",        "Map Cell",         "RPM Pos",
    "Eng T Pos",        "AMP Pos",    "Engine Temp",      "AMP",
    "Engine T Input V", "AMP Input V"};

QStringList labels(const frmSetup& s) {
    QStringList all;
    for (int k = 0; k < s.Shown_Rows(); ++k)
        all << s.lblName[k]->text();
    return all;
}

// A master table of `offered` rows (ids 0..18 but 14, then again from 0) and a
// display file of the same rows, row-aligned, each with a range of 0 .. 100.
void writeTables(const TempProgramFolder& folder, int offered) {
    QStringList variables{"KVR6 Display Variables", "", "Setup IN:"};
    QStringList display{"KVR6 Configuration file for the setup of the display screen", "",
                        ",ID ,Graph ON", "Display IN:"};
    int id = 0;
    for (int r = 0; r < offered; ++r) {
        const QString name = QStringLiteral("Reading %1").arg(r + 1);
        variables << QStringLiteral(",%1 ,1 ,0 ,%2 ,0 ,1").arg(id).arg(name);
        display << QStringLiteral(",%1,%2,%3,%4,%4,0,100,%5")
                       .arg(id)
                       .arg(r < 6 ? r + 1 : 0)
                       .arg(r < 10 ? r + 1 : 0)
                       .arg(name)
                       .arg(r >= offered - 3 ? 1 : 0);
        id = id == 13 ? 15 : id == 18 ? 0 : id + 1;
    }
    variables << "END Setup:";
    display << "END Display:";
    folder.writeLines(QStringLiteral("KVR6SetVariables.cfg"), variables);
    folder.writeLines(QStringLiteral("KVR6SetDisplay.cfg"), display);
}

} // namespace

TEST_F(DisplayWindow, SetupDisplayOpensOneRowPerReadingTheMainWindowCanShow) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    EXPECT_TRUE(s.windowTitle().contains(QStringLiteral("Display Setup")));
    EXPECT_EQ(labels(s), ShippedLabels);
    EXPECT_FALSE(s.cmdApply->isEnabled());
    EXPECT_FALSE(s.lblName[18]->isVisible()) << "18 readings, 18 rows";
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    ASSERT_GE(rpm, 0);
    // Every gauge and every readout is held by a row: each list offers its own and none.
    EXPECT_EQ(items(s.comBG[rpm]), QStringList({"1", "0"}));
    EXPECT_EQ(items(s.comT[rpm]), QStringList({"1", "0"}));
    const int period = rowOf(s, QStringLiteral("Engine Period ms"));
    EXPECT_EQ(items(s.comBG[period]), QStringList({"0"}));
    EXPECT_EQ(ticked(s), (std::vector<int>{3, 7, 9}));
    // Advanced columns hidden at first.
    EXPECT_FALSE(s.FrameADV->isVisible());
    EXPECT_EQ(s.cmdAdvance->text(), QStringLiteral("Advanced Settings OFF"));
}

TEST_F(DisplayWindow, ChoosingNoneFreesThePositionInEveryListAndAnotherRowMayTakeIt) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    const int period = rowOf(s, QStringLiteral("Engine Period ms"));
    pick(s.comBG[rpm], QStringLiteral("0"));
    EXPECT_TRUE(s.cmdApply->isEnabled());
    EXPECT_EQ(s.Marked_Row(), rpm);
    EXPECT_EQ(items(s.comBG[rpm]), QStringList({"0", "1"}));
    for (int k = 0; k < s.Shown_Rows(); ++k)
        EXPECT_TRUE(items(s.comBG[k]).contains(QStringLiteral("1"))) << k;

    pick(s.comBG[period], QStringLiteral("1"));
    EXPECT_EQ(s.Marked_Row(), period);
    EXPECT_EQ(items(s.comBG[period]), QStringList({"1", "0"}));
    for (int k = 0; k < s.Shown_Rows(); ++k)
        EXPECT_EQ(items(s.comBG[k]).contains(QStringLiteral("1")), k == period) << k;

    // The text readouts have lists of their own.
    EXPECT_EQ(items(s.comT[rpm]), QStringList({"1", "0"}));
    // Choosing the position a row shows changes nothing.
    s.cmdApply->setEnabled(false);
    pick(s.comT[rpm], QStringLiteral("1"));
    EXPECT_FALSE(s.cmdApply->isEnabled());
    EXPECT_EQ(s.Marked_Row(), period);
    // The arrow keys on a closed list choose too: each step is a choice of its own.
    s.comBG[period]->setFocus();
    QTest::keyClick(s.comBG[period], Qt::Key_Down);
    EXPECT_TRUE(s.cmdApply->isEnabled());
    EXPECT_EQ(items(s.comBG[period]), QStringList({"0", "1"}));
    EXPECT_EQ(items(s.comBG[rpm]), QStringList({"0", "1"}));
    QTest::keyClick(s.comBG[period], Qt::Key_Down);
    EXPECT_EQ(items(s.comBG[period]), QStringList({"1", "0"}));
    EXPECT_EQ(s.Read_Rows()[static_cast<std::size_t>(period)].bar, 1);
    s.cmdApply->setEnabled(false);
    // A click on a label moves the marker only.
    QTest::mouseClick(s.lblName[2], Qt::LeftButton);
    EXPECT_EQ(s.Marked_Row(), 2);
    EXPECT_FALSE(s.cmdApply->isEnabled());
}

TEST_F(DisplayWindow, AtMostThreeTracesByMouseAndKey) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    const auto setTo = [&](std::vector<int> rows) {
        for (const int k : ticked(s))
            QTest::mouseClick(s.chkP[k], Qt::LeftButton);
        for (const int k : rows)
            QTest::mouseClick(s.chkP[k], Qt::LeftButton);
        ASSERT_EQ(ticked(s), rows);
    };
    setTo({2, 5, 7});
    QTest::mouseClick(s.chkP[1], Qt::LeftButton);
    EXPECT_EQ(ticked(s), (std::vector<int>{1, 2, 5}));
    setTo({2, 5, 7});
    s.chkP[9]->setFocus();
    QTest::keyClick(s.chkP[9], Qt::Key_Space);
    EXPECT_EQ(ticked(s), (std::vector<int>{2, 5, 9}));
    EXPECT_EQ(s.Marked_Row(), 9);
    // Unticking changes no other box and enables Apply.
    s.cmdApply->setEnabled(false);
    QTest::mouseClick(s.chkP[5], Qt::LeftButton);
    EXPECT_EQ(ticked(s), (std::vector<int>{2, 9}));
    EXPECT_TRUE(s.cmdApply->isEnabled());
}

TEST_F(DisplayWindow, ApplyWritesTheFileSetsTheLegendAndTheMainWindowFollows) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    advancedOn(s);
    const int second = 1;
    const int fourth = 3;
    for (const int k : ticked(s))
        QTest::mouseClick(s.chkP[k], Qt::LeftButton);
    QTest::mouseClick(s.chkP[second], Qt::LeftButton);
    QTest::mouseClick(s.chkP[fourth], Qt::LeftButton);
    type(s.DNtxt[second], QStringLiteral("A"));
    type(s.DNtxt[fourth], QStringLiteral("B"));
    // Analog Mod to text readout 1, in place of RPM.
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    pick(s.comT[rpm], QStringLiteral("0"));
    pick(s.comT[second], QStringLiteral("1"));
    QTest::mouseClick(s.cmdApply, Qt::LeftButton);

    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_FALSE(s.cmdApply->isEnabled());
    EXPECT_EQ(w.Plot_Block->text(), QStringLiteral("BLUE - A          RED - B"));
    EXPECT_EQ(PlotLegend, w.Plot_Block->text());
    EXPECT_EQ(w.lblRC[0]->text(), QStringLiteral("A"));
    EXPECT_TRUE(w.lblRC[0]->isVisible());
    // Deflection % keeps bar 2, now named B.
    EXPECT_EQ(w.BarSet->bars()[1].name, QStringLiteral("B"));
    const QStringList rows = fileRows();
    ASSERT_EQ(rows.size(), 19);
    EXPECT_EQ(rows[1],
              QStringLiteral(",1     ,0     ,1          ,Analog Mod       ,A                      "
                             ",-128             ,127              ,1     "));
    EXPECT_EQ(field(rows[9], 3), QStringLiteral("0"));
    EXPECT_EQ(field(rows[9], 8), QStringLiteral("0"));
    EXPECT_EQ(field(rows[3], 5), QStringLiteral("B"));
    for (const QString& row : rows)
        EXPECT_EQ(row.size(), 111);

    // A restart reads the same.
    const DisplayTable saved = DisplaySetTable;
    EXPECT_TRUE(WtsGeneral::Read_Setup_Display_Files().empty());
    EXPECT_EQ(DisplaySetTable, saved);
    EXPECT_EQ(PlotLegend, QStringLiteral("BLUE - A          RED - B"));

    // OK with nothing more to save closes without writing.
    QFile::remove(folder.file(QStringLiteral("KVR6SetDisplay.cfg")));
    QTest::mouseClick(s.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmSetup>());
    EXPECT_FALSE(folder.exists(QStringLiteral("KVR6SetDisplay.cfg")));
}

TEST_F(DisplayWindow, ARangeThatIsNoRangeIsRefusedNamingTheReading) {
    frmMain& w = openMain();
    const QByteArray before = folder.read(QStringLiteral("KVR6SetDisplay.cfg"));
    frmSetup& s = openSetup(w);
    advancedOn(s);
    const int temp = rowOf(s, QStringLiteral("Engine Temp"));
    struct Case {
        const char* min;
        const char* max;
    };
    for (const Case c : {Case{"50", "50"}, Case{"120", "0"}, Case{"cold", "120"}}) {
        type(s.MinTxt[temp], QString::fromLatin1(c.min));
        type(s.MaxTxt[temp], QString::fromLatin1(c.max));
        dialogs.clear();
        QTest::mouseClick(s.cmdApply, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u) << c.min << " .. " << c.max;
        EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("\"Engine Temp\"")))
            << dialogs.records()[0].text.toStdString();
        EXPECT_TRUE(s.cmdApply->isEnabled());
        EXPECT_EQ(folder.read(QStringLiteral("KVR6SetDisplay.cfg")), before);
        EXPECT_EQ(DisplaySetTable[15][6], QStringLiteral("0"));
    }
    // OK refused the same way keeps the window open with the edits.
    dialogs.clear();
    QTest::mouseClick(s.cmdOK, Qt::LeftButton);
    EXPECT_EQ(dialogs.records().size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(FormInstance<frmSetup>::loaded());
    EXPECT_EQ(s.MinTxt[temp]->text(), QStringLiteral("cold"));
}

TEST_F(DisplayWindow, ASaveTheGateRefusesIsToldAndApplyStaysOn) {
    frmMain& w = openMain();
    const QByteArray before = folder.read(QStringLiteral("KVR6SetDisplay.cfg"));
    const DisplayTable table = DisplaySetTable;
    frmSetup& s = openSetup(w);
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    pick(s.comBG[rpm], QStringLiteral("0"));
    struct Case {
        int mapLoaded;
        int locked;
        const char* told;
    };
    for (const Case c : {Case{0, 0, "no map loaded"}, Case{-1, 1, "locked"}}) {
        MapLoaded = c.mapLoaded;
        UnitLocked = c.locked;
        dialogs.clear();
        QTest::mouseClick(s.cmdApply, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u);
        EXPECT_TRUE(dialogs.records()[0].text.contains(QString::fromLatin1(c.told)))
            << dialogs.records()[0].text.toStdString();
        EXPECT_TRUE(s.cmdApply->isEnabled());
        EXPECT_EQ(folder.read(QStringLiteral("KVR6SetDisplay.cfg")), before);
        EXPECT_EQ(DisplaySetTable, table);
    }
    dialogs.clear();
    QTest::mouseClick(s.cmdOK, Qt::LeftButton);
    EXPECT_EQ(dialogs.records().size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(FormInstance<frmSetup>::loaded());
}

TEST_F(DisplayWindow, AFolderInPlaceOfTheFileIsToldAndNothingChanges) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("KVR6SetDisplay.cfg"))));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("KVR6SetDisplay.cfg")));
    const DisplayTable table = DisplaySetTable;
    const QString legend = w.Plot_Block->text();
    const QString slot1 = w.lblRC[0]->text();
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    pick(s.comT[rpm], QStringLiteral("0"));
    // A name with a comma: the writer would clean it before it writes.
    advancedOn(s);
    type(s.DNtxt[rpm], QStringLiteral("Revs, per min"));
    QTest::mouseClick(s.cmdApply, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString told = dialogs.records()[0].text;
    EXPECT_TRUE(told.contains(QStringLiteral("KVR6SetDisplay.cfg"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("folder"))) << told.toStdString();
    EXPECT_TRUE(s.cmdApply->isEnabled());
    EXPECT_EQ(DisplaySetTable, table);
    EXPECT_EQ(w.Plot_Block->text(), legend);
    EXPECT_EQ(w.lblRC[0]->text(), slot1);
    EXPECT_TRUE(w.lblRC[0]->isVisible());
    EXPECT_EQ(s.DNtxt[rpm]->text(), QStringLiteral("Revs, per min")) << "the edit is kept";
}

TEST_F(DisplayWindow, WhatIsKeptIsWhatTheFileGivesBack) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    advancedOn(s);
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    type(s.DNtxt[rpm], QStringLiteral("Revs, per minute of the crank"));
    type(s.MaxTxt[rpm], QStringLiteral("07000"));
    QTest::mouseClick(s.cmdApply, Qt::LeftButton);
    // The writer tells the user which names it cleaned.
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("Display Name KVR of reading 9")))
        << dialogs.records()[0].text.toStdString();
    const QString kept = QStringLiteral("Revs; per minute of the");
    EXPECT_EQ(DisplaySetTable[9][5], kept);
    EXPECT_EQ(DisplaySetTable[9][7], QStringLiteral("7000"));
    EXPECT_EQ(s.DNtxt[rpm]->text(), kept);
    EXPECT_EQ(s.MaxTxt[rpm]->text(), QStringLiteral("7000"));
    EXPECT_EQ(w.lblRC[0]->text(), kept);
    EXPECT_EQ(w.BarSet->bars()[0].name, kept);
    EXPECT_EQ(w.BarSet->bars()[0].maxText, QStringLiteral("7000"));
    EXPECT_TRUE(PlotLegend.contains(QStringLiteral("GREEN - ") + kept)) << PlotLegend.toStdString();
}

TEST_F(DisplayWindow, WithOneLineCutFromTheFileASaveChangesOnlyTheRowEdited) {
    // The Ign Mod line is missing: every later reading stands one table row up.
    QStringList lines = QString::fromLatin1(folder.read(QStringLiteral("KVR6SetDisplay.cfg")))
                            .split(QStringLiteral("\r\n"));
    lines.removeIf([](const QString& l) { return l.startsWith(QStringLiteral(",5 ")); });
    folder.write(QStringLiteral("KVR6SetDisplay.cfg"),
                 lines.join(QStringLiteral("\r\n")).toLatin1());
    dialogs.answer(Dialogs::Answer::Ok); // the start-up report, if any
    frmMain& w = openMain();
    const QStringList before = fileRows();
    ASSERT_EQ(before.size(), 18);
    dialogs.clear();
    frmSetup& s = openSetup(w);
    // Each row is named after the reading it shows.
    const int temp = rowOf(s, QStringLiteral("AFR"));
    ASSERT_GE(temp, 0);
    EXPECT_EQ(s.Read_Rows()[static_cast<std::size_t>(temp)].tableRow, 6);
    pick(s.comBG[temp], QStringLiteral("0"));
    QTest::mouseClick(s.cmdApply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    const QStringList after = fileRows();
    ASSERT_EQ(after.size(), before.size());
    for (int r = 0; r < after.size(); ++r) {
        if (r == 6) {
            EXPECT_EQ(field(after[r], 1), QStringLiteral("7"));
            EXPECT_EQ(field(after[r], 2), QStringLiteral("0"));
            EXPECT_EQ(after[r].mid(14), before[r].mid(14)) << "only the bar changed";
        } else {
            EXPECT_EQ(after[r], before[r]) << r;
        }
    }
}

TEST_F(DisplayWindow, TwentyOfferedReadingsShowTheFirstNineteenAndTellTheRest) {
    writeTables(folder, 20);
    frmMain& w = openMain();
    dialogs.clear();
    const QStringList before = fileRows();
    frmSetup& s = openSetup(w);
    ASSERT_EQ(s.Shown_Rows(), 19);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("20 readings")));
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("Reading 20")));
    EXPECT_EQ(s.lblName[18]->text(), QStringLiteral("Reading 19"));
    EXPECT_TRUE(s.lblName[18]->isVisible());
    // Reading 20 keeps its trace: ticking a fourth box unticks the last one shown.
    QTest::mouseClick(s.chkP[0], Qt::LeftButton);
    EXPECT_EQ(ticked(s), (std::vector<int>{0, 17}));
    dialogs.clear();
    QTest::mouseClick(s.cmdApply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    const QStringList after = fileRows();
    ASSERT_EQ(after.size(), 20);
    EXPECT_EQ(field(after[19], 1), QStringLiteral("1"));
    EXPECT_EQ(field(after[19], 5), QStringLiteral("Reading 20"));
    EXPECT_EQ(field(after[19], 8), QStringLiteral("1"));
    EXPECT_EQ(field(after[0], 8), QStringLiteral("1"));
    EXPECT_EQ(field(after[18], 8), QStringLiteral("0"));
}

TEST_F(DisplayWindow, TheAdvancedColumnsStayAsChosenAndTheWindowFitsItsRows) {
    frmMain& w = openMain();
    frmSetup& s = openSetup(w);
    const QSize narrow = s.size();
    EXPECT_TRUE(s.grab().save(Screenshot_Path(QStringLiteral("display-setup-18-rows.png"))));
    advancedOn(s);
    EXPECT_EQ(s.cmdAdvance->text(), QStringLiteral("Advanced Settings ON"));
    EXPECT_TRUE(s.FrameADV->isVisible());
    EXPECT_EQ(s.width() - narrow.width(), Design::px(3270));
    EXPECT_TRUE(
        s.grab().save(Screenshot_Path(QStringLiteral("display-setup-18-rows-advanced.png"))));
    QTest::mouseClick(s.cmdCancel, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmSetup>());

    frmSetup& again = openSetup(w);
    EXPECT_TRUE(again.FrameADV->isVisible());
    EXPECT_EQ(again.cmdAdvance->text(), QStringLiteral("Advance Settings ON"));
    const int full = again.height();
    again.close();
    ASSERT_TRUE(Wait_Unloaded<frmSetup>());

    // Three readings: the window is 16 rows shorter.
    writeTables(folder, 3);
    WtsGeneral::Read_Setup_Display_Files();
    frmSetup& few = openSetup(w);
    EXPECT_EQ(few.Shown_Rows(), 3);
    EXPECT_EQ(full - few.height(), Design::px(6495 - 240) - Design::px(6495 - 16 * 240));
    EXPECT_FALSE(few.lblName[3]->isVisible());
    const QRect ok = few.cmdOK->geometry();
    EXPECT_LE(ok.bottom(), few.Frame1->height());
    EXPECT_TRUE(few.grab().save(Screenshot_Path(QStringLiteral("display-setup-3-rows.png"))));

    // Going to another window unloads it.
    w.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmSetup>());

    // No reading offered: no row, the marker hidden, the buttons still inside.
    writeTables(folder, 0);
    WtsGeneral::Read_Setup_Display_Files();
    frmSetup& none = openSetup(w);
    EXPECT_EQ(none.Shown_Rows(), 0);
    EXPECT_FALSE(none.lblName[0]->isVisible());
    EXPECT_FALSE(none.VarOutline->isVisible());
    EXPECT_EQ(none.height(), Design::px(6495 - 19 * 240));
    EXPECT_LE(none.cmdOK->geometry().bottom(), none.Frame1->height());
    EXPECT_TRUE(none.cmdOK->isVisible());
}

namespace {

// The shipped display file with field `column` (1..8) of the reading `id` set to
// `value`, as a hand edit leaves it.
void editShippedFile(const TempProgramFolder& folder,
                     const std::vector<std::tuple<int, int, QString>>& edits) {
    QStringList lines = QString::fromLatin1(folder.read(QStringLiteral("KVR6SetDisplay.cfg")))
                            .split(QStringLiteral("\r\n"));
    for (const auto& [id, column, value] : edits)
        for (QString& line : lines)
            if (line.startsWith(QLatin1Char(',')) &&
                line.section(',', 1, 1).trimmed() == QString::number(id)) {
                QStringList fields = line.split(',');
                fields[column] = value;
                line = fields.join(',');
            }
    folder.write(QStringLiteral("KVR6SetDisplay.cfg"),
                 lines.join(QStringLiteral("\r\n")).toLatin1());
}

} // namespace

TEST_F(DisplayWindow, APlaceTwoReadingsHoldInTheFileIsToldAndKeptByOneOfThemOnly) {
    frmMain& w = openMain();
    const struct Case {
        const char* place;
        int column;        // 2 bar, 3 text
        int id;            // the reading given the place by hand
        int position;      // the place
        const char* kept;  // the later holder in the file, which the main window shows
        const char* lost;  // the earlier one
        const char* third; // takes the place once the keeper gives it up
    } cases[] = {
        {"bar gauge 1", 2, 6, 1, "RPM", "Engine Period ms", "AMP Input V"},
        {"text readout 3", 3, 8, 3, "AFR Input V", "AFR", "RPM Pos"},
    };
    const QByteArray shipped = folder.read(QStringLiteral("KVR6SetDisplay.cfg"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        folder.write(QStringLiteral("KVR6SetDisplay.cfg"), shipped);
        editShippedFile(folder, {{c.id, c.column, QString::number(c.position)}});
        WtsGeneral::Read_Setup_Display_Files();
        const QByteArray edited = folder.read(QStringLiteral("KVR6SetDisplay.cfg"));
        const QString place = QString::number(c.position);
        dialogs.clear();
        frmSetup& s = openSetup(w);
        const auto list = [&](int k) { return c.column == 2 ? s.comBG[k] : s.comT[k]; };
        const int kept = rowOf(s, QString::fromLatin1(c.kept));
        const int lost = rowOf(s, QString::fromLatin1(c.lost));
        const int third = rowOf(s, QString::fromLatin1(c.third));
        ASSERT_GE(std::min({kept, lost, third}), 0);

        // Told once, naming the place and both readings.
        ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
        const QString told = dialogs.records()[0].text;
        EXPECT_TRUE(
            told.contains(QStringLiteral("%1: \"%2\", not \"%3\"")
                              .arg(QString::fromLatin1(c.place), QString::fromLatin1(c.kept),
                                   QString::fromLatin1(c.lost))))
            << told.toStdString();
        EXPECT_EQ(list(kept)->currentText(), place);
        EXPECT_EQ(list(lost)->currentText(), QStringLiteral("0"));
        for (int k = 0; k < s.Shown_Rows(); ++k)
            EXPECT_EQ(items(list(k)).contains(place), k == kept) << k;
        EXPECT_FALSE(s.cmdApply->isEnabled()) << "opening changes nothing";

        // The keeper gives it up and a third reading takes it: one reading holds it.
        pick(list(kept), QStringLiteral("0"));
        pick(list(third), place);
        QTest::mouseClick(s.cmdApply, Qt::LeftButton);
        EXPECT_TRUE(dialogs.records().size() == 1u) << dialogs.texts().join('\n').toStdString();
        QStringList holders;
        for (const QString& row : fileRows())
            if (field(row, c.column) == place)
                holders << field(row, 5);
        EXPECT_EQ(holders, QStringList{QString::fromLatin1(c.third)});
        if (c.column == 2)
            EXPECT_EQ(w.BarSet->bars()[static_cast<std::size_t>(c.position - 1)].name,
                      QString::fromLatin1(c.third));
        else
            EXPECT_EQ(w.lblRC[c.position - 1]->text(), QString::fromLatin1(c.third));
        QTest::mouseClick(s.cmdOK, Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmSetup>());

        // Opening and leaving without a save keeps the file as the user wrote it.
        folder.write(QStringLiteral("KVR6SetDisplay.cfg"), edited);
        WtsGeneral::Read_Setup_Display_Files();
        frmSetup& again = openSetup(w);
        QTest::mouseClick(again.cmdOK, Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmSetup>());
        EXPECT_EQ(folder.read(QStringLiteral("KVR6SetDisplay.cfg")), edited);
    }
}

TEST_F(DisplayWindow, ARangeOnARowThatDrawsNothingBlocksNoSave) {
    // Hand-edited ranges on rows with no bar and no trace: AFR Input V shows
    // nowhere, Analog Input V on text readout 6 only.
    editShippedFile(folder, {{8, 6, QStringLiteral("5")},
                             {8, 7, QStringLiteral("5")},
                             {0, 6, QStringLiteral("9")},
                             {0, 7, QStringLiteral("1")}});
    frmMain& w = openMain();
    EXPECT_TRUE(dialogs.records().empty()) << "the start-up reader names no such row";
    frmSetup& s = openSetup(w);
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    pick(s.comT[rpm], QStringLiteral("0"));
    QTest::mouseClick(s.cmdApply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_FALSE(s.cmdApply->isEnabled());
    const QStringList rows = fileRows();
    ASSERT_EQ(rows.size(), 19);
    EXPECT_EQ(field(rows[9], 3), QStringLiteral("0")) << "the save was made";
    const struct {
        int row;
        const char* min;
        const char* max;
    } kept[] = {{8, "5", "5"}, {0, "9", "1"}};
    for (const auto& k : kept) {
        EXPECT_EQ(field(rows[k.row], 6), QString::fromLatin1(k.min)) << k.row;
        EXPECT_EQ(field(rows[k.row], 7), QString::fromLatin1(k.max)) << k.row;
    }

    // Once such a row draws (a trace, a bar), its range is checked again.
    const struct {
        const char* reading;
        bool trace;
    } draws[] = {{"AFR Input V", true}, {"Analog Input V", false}};
    for (const auto& d : draws) {
        const int k = rowOf(s, QString::fromLatin1(d.reading));
        const QByteArray before = folder.read(QStringLiteral("KVR6SetDisplay.cfg"));
        if (d.trace) {
            QTest::mouseClick(s.chkP[k], Qt::LeftButton);
        } else {
            pick(s.comBG[rpm], QStringLiteral("0"));
            pick(s.comBG[k], QStringLiteral("1"));
        }
        dialogs.clear();
        QTest::mouseClick(s.cmdApply, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u) << d.reading;
        EXPECT_TRUE(dialogs.records()[0].text.contains(
            QStringLiteral("\"%1\"").arg(QString::fromLatin1(d.reading))))
            << dialogs.records()[0].text.toStdString();
        EXPECT_EQ(folder.read(QStringLiteral("KVR6SetDisplay.cfg")), before);
        if (d.trace)
            QTest::mouseClick(s.chkP[k], Qt::LeftButton);
    }
}
