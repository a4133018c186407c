#include "LinkTestSupport.h"

#include "core/MapImage.h"
#include "core/WtsAFR.h"
#include "link/Console.h"
#include "link/SendPath.h"
#include "link/WtsUp.h"
#include "platform/TextFile.h"

#include <cctype>
#include <functional>
#include <string>

namespace {

const QByteArray Pad(31, '\0');
const QString ErrorText =
    QStringLiteral("There was an unexpected error. Please try the command properly !!");

QByteArray paramRow(int row) {
    return WtsUp::Row_Write_Frame('<', row, ParamBlock) + Pad;
}

class ConsoleTest : public LinkTest {
protected:
    ConsoleTest() {
        folder.copyData(QStringLiteral("BLANKKVR6.WTS"));
        WtsGeneral::Load_Blank_Template();
        WtsAFR::Init_AFR_Tables();
        MapLoaded = -1;
        MapTab = 1;
        live.analogIn1 = 50;
        live.analogIn2 = 90;
        live.liveAmpCellA = 5;
    }
    // A line entered while the link polls the unit.
    WtsCM::ConsoleOutcome enter(const QString& line) {
        OnlineState = QStringLiteral("Online");
        CommStatus = 10;
        dialogs.clear();
        return WtsCM::Console_Line(line, live);
    }
    bool errorShown() const {
        return dialogs.records().size() == 1 && dialogs.records()[0].text == ErrorText &&
               dialogs.records()[0].title == "An error accrued" &&
               dialogs.records()[0].icon == Dialogs::Icon::Critical;
    }
    // The one queue without progress raised, element by element.
    std::vector<QByteArray> queued() const {
        if (SendRequests.size() != 1 || SendRequests.front().kind != SendKind::Queue)
            return {};
        return SendRequests.front().elements;
    }
    QByteArray command() const {
        if (SendRequests.size() != 1 || SendRequests.front().kind != SendKind::Command)
            return {};
        return SendRequests.front().elements.front();
    }
    WtsCM::ConsoleLive live;
};

// A console line as a test name: as typed, a blank as '_', a point as 'p' and a
// minus as "minus".
std::string lineName(const std::string& line) {
    std::string name;
    for (const char ch : line) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
            name += ch;
        else if (ch == ' ')
            name += '_';
        else if (ch == '.')
            name += 'p';
        else if (ch == '-')
            name += "minus";
    }
    return name;
}

// Names each case by its line.
struct By_Line {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return lineName(std::string(info.param.line));
    }
};

struct CommandCase {
    const char* line;
    QByteArray command; // empty: no single command
    SendKind kind;
};

class SingleCommand : public ConsoleTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(SingleCommand, OrRequestIsRaised) {
    const CommandCase& c = GetParam();
    const auto out = enter(QString::fromLatin1(c.line));
    EXPECT_TRUE(out.ok) << c.line;
    ASSERT_EQ(SendRequests.size(), 1u) << c.line;
    EXPECT_EQ(SendRequests.front().kind, c.kind) << c.line;
    if (!c.command.isEmpty()) {
        EXPECT_EQ(command(), c.command) << c.line;
    }
    EXPECT_TRUE(dialogs.records().empty()) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SingleCommand,
    ::testing::Values(CommandCase{"xx", QByteArray("3\0\xFF\r", 4), SendKind::Command},
                      CommandCase{"XX", QByteArray("3\0\xFF\r", 4), SendKind::Command},
                      CommandCase{"ma", QByteArray("3\0\1\r", 4), SendKind::Command},
                      CommandCase{"MB", QByteArray("3\0\0\r", 4), SendKind::Command},
                      CommandCase{"ss 120", QByteArray("2\0\x78\r", 4), SendKind::Command},
                      // halves to even
                      CommandCase{"ss 12.5", QByteArray("2\0\x0C\r", 4), SendKind::Command},
                      CommandCase{"ss", QByteArray("2\0\0\r", 4), SendKind::Command},
                      CommandCase{"up", QByteArray(), SendKind::Refresh},
                      CommandCase{"pg", QByteArray(), SendKind::QueueWithProgress},
                      CommandCase{"Pg", QByteArray(), SendKind::QueueWithProgress}),
    By_Line());

TEST_F(ConsoleTest, UnknownPairDoesNothing) {
    const ImageTable before = ParamBlock;
    const auto out = enter(QStringLiteral("zz 12"));
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_EQ(ParamBlock, before);
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ConsoleTest, LockedUnitTakesOnlyTheDownloadAndTheReset) {
    UnitLocked = 1;
    const ImageTable before = ParamBlock;
    for (const char* line : {"up", "ma", "rl 1000", "dl 20", "rm", "ss 5", "mi X", "ag 0.1"}) {
        EXPECT_TRUE(enter(QString::fromLatin1(line)).ok);
        EXPECT_TRUE(SendRequests.empty()) << line;
    }
    EXPECT_EQ(ParamBlock, before);
    // The download asks first: it replaces the locked unit's maps and mark.
    enter(QStringLiteral("PG"));
    EXPECT_TRUE(SendRequests.empty()) << "No is the default";
    dialogs.answer(Dialogs::Answer::Yes);
    enter(QStringLiteral("PG"));
    enter(QStringLiteral("xx"));
    ASSERT_EQ(SendRequests.size(), 2u);
    EXPECT_EQ(SendRequests[0].kind, SendKind::QueueWithProgress);
    EXPECT_EQ(SendRequests[1].elements.front(), QByteArray("3\0\xFF\r", 4));
}

struct RpmEndCase {
    const char* line;
    int index;
    int high;
    int low;
};

class RpmEnd : public ConsoleTest, public ::testing::WithParamInterface<RpmEndCase> {};

TEST_P(RpmEnd, StoresTheRoundedPeriodAndSendsBothRows) {
    const RpmEndCase& c = GetParam();
    const auto out = enter(QString::fromLatin1(c.line));
    ASSERT_TRUE(out.ok) << c.line;
    EXPECT_EQ(ParamBlock[c.index], c.high) << c.line;
    EXPECT_EQ(ParamBlock[c.index + 1], c.low) << c.line;
    EXPECT_TRUE(out.axisLabels);
    const auto e = queued();
    ASSERT_EQ(e.size(), 1u) << c.line;
    EXPECT_EQ(e[0], paramRow(224) + paramRow(240)) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RpmEnd,
    ::testing::Values(RpmEndCase{"rl 1000", 224, 4, 148}, // 1171.875
                      RpmEndCase{"rl 100", 224, 15, 66},  // limited to 300 RPM: 3906.25
                      RpmEndCase{"rl 25000", 224, 0, 62}, // limited to 19000 RPM: 61.68
                      RpmEndCase{"rh 6000", 254, 0, 195}, // 195.3
                      // 1023.7: rounded whole before the split, never low 256
                      RpmEndCase{"rl 1144.7", 224, 4, 0}),
    By_Line());

TEST_F(ConsoleTest, RpmCommandFixesAnUnusableCylinderCount) {
    ParamBlock[Idx_Cylinders] = 0;
    enter(QStringLiteral("rl 1000"));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 4);
    EXPECT_EQ(ParamBlock[224], 4);
    EXPECT_EQ(ParamBlock[225], 148);
}

struct DeflectionCase {
    const char* line;
    int index;
    int value; // -1: not checked (the fill rewrites it)
    bool axis;
    bool analog;
};

class DeflectionCommand : public ConsoleTest,
                          public ::testing::WithParamInterface<DeflectionCase> {};

TEST_P(DeflectionCommand, StoresItsPointAndSendsTheRow) {
    const DeflectionCase& c = GetParam();
    const auto out = enter(QString::fromLatin1(c.line));
    ASSERT_TRUE(out.ok) << c.line;
    if (c.value >= 0) {
        EXPECT_EQ(ParamBlock[c.index], c.value) << c.line;
    }
    EXPECT_EQ(out.axisLabels, c.axis) << c.line;
    EXPECT_EQ(out.analogMap, c.analog) << c.line;
    EXPECT_EQ(queued(), std::vector<QByteArray>{paramRow(144)}) << c.line;
}

INSTANTIATE_TEST_SUITE_P(Lines, DeflectionCommand,
                         ::testing::Values(DeflectionCase{"dl 50", 152, 129, true, false},
                                           // 253, then kept at 240 by the fill
                                           DeflectionCase{"dl 98", 152, 240, true, false},
                                           DeflectionCase{"dh 99", 159, 255, true, true},
                                           // point above 7 counts as 7
                                           DeflectionCase{"dm 9 50", 159, 128, false, true},
                                           DeflectionCase{"dm 2 25", 154, 64, false, true},
                                           DeflectionCase{"dm 3 ", 155, 0, false, true},
                                           DeflectionCase{"de 50", 159, 128, true, false},
                                           DeflectionCase{"ds 150", 152, -1, true, true}),
                         By_Line());

TEST_F(ConsoleTest, ShortLinesOfTheScaleCommandsDoNothing) {
    const ImageTable param = ParamBlock;
    const ImageTable map6 = Map6Image;
    for (const char* line : {"rl", "rh ", "dl", "dh", "dm", "ds ", "de", "ag"}) {
        EXPECT_TRUE(enter(QString::fromLatin1(line)).ok) << line;
        EXPECT_TRUE(SendRequests.empty()) << line;
    }
    EXPECT_EQ(ParamBlock, param);
    EXPECT_EQ(Map6Image, map6);
}

TEST_F(ConsoleTest, TemperatureCalibrationPoint) {
    const auto out = enter(QStringLiteral("tl 2 300"));
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(ParamBlock[192], 2);
    EXPECT_EQ(ParamBlock[193], 255) << "limited to 255";
    EXPECT_TRUE(out.tempCaptions.has_value());
    EXPECT_EQ(queued(), (std::vector<QByteArray>{paramRow(160), paramRow(192)}));
}

TEST_F(ConsoleTest, AmpCalibrationPointGoesOutPadded) {
    const auto out = enter(QStringLiteral("al 3 2.5 100"));
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(ParamBlock[196], 3);
    EXPECT_EQ(ParamBlock[197], 2);
    EXPECT_EQ(ParamBlock[201], 128);
    EXPECT_TRUE(out.ampCaptions.has_value());
    const auto e = queued();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0], paramRow(176) + Pad) << "AMP rows go out with 62 NUL";
    EXPECT_EQ(e[1], paramRow(192) + Pad);
    EXPECT_EQ(e[0].size(), 81);
}

TEST_F(ConsoleTest, HighAmpCalibrationPoint) {
    const auto out = enter(QStringLiteral("ah 14 4.25"));
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(ParamBlock[198], 14);
    EXPECT_EQ(ParamBlock[199], 4);
    EXPECT_EQ(ParamBlock[200], 64);
}

TEST_F(ConsoleTest, CalibrationArguments) {
    struct Case {
        const char* line;
        int p;
        double v;
        int c; // -1: no count
    };
    const Case cases[] = {
        {"tl 3 2.5 100", 3, 2.5, 100}, {"al 12 4.75", 12, 4.75, -1},
        {"th 2 80 300", 2, 80, 44},    {"tl", 0, 0, -1},
        {"ah 17 1", 1, 1, -1},
    };
    for (const Case& c : cases) {
        const WtsCM::CalArgs a = WtsCM::Parse_Cal_Args(QString::fromLatin1(c.line));
        EXPECT_EQ(a.p, c.p) << c.line;
        EXPECT_DOUBLE_EQ(a.v, c.v) << c.line;
        EXPECT_EQ(a.c.value_or(-1), c.c) << c.line;
    }
}

TEST_F(ConsoleTest, CountWithoutArgumentComesFromTheLiveReading) {
    // The label routine rewrites the table afterwards; without a calibration of the
    // other point it keeps what was stored.
    ParamBlock[Idx_TempCal1] = 0;
    ParamBlock[Idx_TempCal3] = 0;
    ParamBlock[Idx_TempCal2] = 0;
    live.analogIn1 = 50;
    enter(QStringLiteral("tl 2 0"));
    EXPECT_EQ(ParamBlock[162], 48);
}

struct GradientCase {
    int tab;
    int base;
};

class GradientOfTab : public ConsoleTest, public ::testing::WithParamInterface<GradientCase> {};

TEST_P(GradientOfTab, GoesThroughItsAmpColumn) {
    const GradientCase& c = GetParam();
    MapTab = c.tab;
    for (int i = 0; i < 48; ++i)
        Map6Image[128 + i] = static_cast<std::int16_t>(40 + i);
    const int pivot = Map6Image[c.base + 5];
    auto out = enter(QStringLiteral("ag 0"));
    ASSERT_TRUE(out.ok);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Map6Image[c.base + i], pivot) << c.tab << " " << i;
    EXPECT_TRUE(out.analogMap);
    const auto e = queued();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0], WtsUp::Row_Write_Frame('>', c.base, Map6Image));
    EXPECT_EQ(e[0].size(), 19) << "the column form, unpadded";
}

INSTANTIATE_TEST_SUITE_P(ShownTabs, GradientOfTab,
                         ::testing::Values(GradientCase{1, 160}, GradientCase{2, 128},
                                           GradientCase{3, 144}),
                         [](const ::testing::TestParamInfo<GradientCase>& info) {
                             return "Tab" + std::to_string(info.param.tab);
                         });

TEST_F(ConsoleTest, GradientKeepsTheLiveRowAndStaysWithinAByte) {
    MapTab = 2;
    Map6Image[128 + 5] = 16; // 0.125
    ASSERT_TRUE(enter(QStringLiteral("ag 0.1")).ok);
    EXPECT_EQ(Map6Image[128 + 5], 16) << "the live row keeps its value";
    EXPECT_EQ(Map6Image[128 + 6], 29);
    EXPECT_EQ(Map6Image[128 + 4], 3);
    EXPECT_EQ(Map6Image[128 + 15], 144);
    EXPECT_EQ(Map6Image[128 + 0], 0) << "below 0 becomes 0";
}

struct RefusedCase {
    QString line;
    std::function<void(WtsCM::ConsoleLive&)> setup;
    std::string name; // empty: named by its line
};

class ValueThatIsNoByte : public ConsoleTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ValueThatIsNoByte, IsRefusedAndLeavesTheImage) {
    const RefusedCase& c = GetParam();
    live = {50, 90, 5};
    if (c.setup)
        c.setup(live);
    MapTab = 2;
    const ImageTable param = ParamBlock;
    const ImageTable map6 = Map6Image;
    const QString dscr = MapDscr;
    const auto out = enter(c.line);
    EXPECT_FALSE(out.ok) << c.line;
    EXPECT_TRUE(errorShown()) << c.line;
    EXPECT_TRUE(SendRequests.empty()) << c.line;
    EXPECT_EQ(ParamBlock, param) << c.line;
    EXPECT_EQ(Map6Image, map6) << c.line;
    EXPECT_EQ(MapDscr, dscr) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ValueThatIsNoByte,
    ::testing::Values(RefusedCase{"dl 99", nullptr, {}}, RefusedCase{"dl -5", nullptr, {}},
                      RefusedCase{"dm 2 -10", nullptr, {}}, RefusedCase{"de -1", nullptr, {}},
                      RefusedCase{"ss 300", nullptr, {}}, RefusedCase{"ss -1", nullptr, {}},
                      RefusedCase{"tl 2 30", [](WtsCM::ConsoleLive& l) { l.analogIn1 = 1; }, {}},
                      RefusedCase{"al 3 2", [](WtsCM::ConsoleLive& l) { l.analogIn2 = 0; }, {}},
                      RefusedCase{"al 3 2.999 100", nullptr, {}}, // fraction rounds to 256
                      RefusedCase{"ah 3 300 100", nullptr, {}},
                      RefusedCase{"al 3 -2 100", nullptr, {}},
                      RefusedCase{"ag 1", nullptr, {}}, // rises above 255
                      RefusedCase{"ag 0.1", [](WtsCM::ConsoleLive& l) { l.liveAmpCellA = 16; }, {}},
                      RefusedCase{"dm 3", nullptr, {}},
                      RefusedCase{"ci " + QString(65, 'c'), nullptr, "ci_of_65_characters"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) {
        return info.param.name.empty() ? lineName(info.param.line.toStdString()) : info.param.name;
    });

TEST_F(ConsoleTest, ResetOfTheMaximumRecordings) {
    enter(QStringLiteral("rm"));
    EXPECT_EQ(ParamBlock[204], 255);
    EXPECT_EQ(ParamBlock[205], 255);
    EXPECT_EQ(ParamBlock[206], 0);
    EXPECT_EQ(ParamBlock[207], 255);
    EXPECT_EQ(queued(), std::vector<QByteArray>{paramRow(192)});
}

TEST_F(ConsoleTest, IdentifierIsStoredFiledAndDownloaded) {
    const auto out = enter(QStringLiteral("mi ABC"));
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(MapId, "ABC" + QString(61, ' '));
    EXPECT_EQ(LibRecord[4], MapId);
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests.front().kind, SendKind::QueueWithProgress);
    const QStringList info = TextFile::readLines(folder.file("KVR6FileInfo.cfg"));
    EXPECT_TRUE(info.join('|').contains(MapId)) << info.join('|');
}

TEST_F(ConsoleTest, DescriptionIsStoredAndDownloadedToItsFirst63Characters) {
    const QString exact(64, 'd');
    const auto out = enter("ci " + exact);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(LibRecord[1], exact);
    EXPECT_EQ(MapDscr, QString(63, 'd') + QChar(NoTuneFlag)) << "the download keeps 63";
}

TEST_F(ConsoleTest, RefusedDownloadLeavesTheIdentifierAndTellsWhy) {
    Map5Image[9] = 400;
    const QString before = MapId;
    const auto out = enter(QStringLiteral("mi NEW"));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(MapId, before);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("page 5 address 9 holds 400"));
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_FALSE(folder.exists("KVR6FileInfo.cfg"));
}

} // namespace
