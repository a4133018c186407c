// The lines written for each reply: text log, raw log and trace; and the way
// back from a raw-log record to the reply bytes, with the length texts.

#include "link/LogLines.h"
#include "core/CoreState.h"
#include "link/LinkState.h"
#include "tests/support/ResetAllState.h"

#include <QTime>
#include <gtest/gtest.h>
#include <map>

namespace {

const QTime At(14, 5, 9);

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

} // namespace

TEST(LogLines, ItemsArePaddedToFiveCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"5", "    5"}, {"14.7", " 14.7"}, {"-12", "  -12"}, {"12345", "12345"}, {"0.125", "0.125"},
    };
    for (auto [item, padded] : cases)
        EXPECT_EQ(LogLines::Pad_Item(QString::fromLatin1(item)), QString::fromLatin1(padded))
            << item;
}

TEST(LogLines, TextLogLineTakesTheLeadingNumberOfEachReading) {
    // Display texts as the main window gives them, units and all.
    const std::map<int, QString> texts{
        {9, "6010"},  {3, "50 %"},   {16, "1.5"}, {15, "85"},     {7, "14.7"},
        {8, ".50 V"}, {0, "2.35 V"}, {1, "-12"},  {2, "10.00 V"}, {4, "128"},
        {5, "-7"},    {13, "12"},    {12, "3"},   {11, "10"},     {10, "90"},
    };
    const auto reading = [&](int id) {
        const auto it = texts.find(id);
        return it == texts.end() ? QString() : it->second;
    };
    EXPECT_EQ(LogLines::Text_Log_Line(At, 7, reading),
              QStringLiteral("14:05:09,    7,  6010,    50,   1.5,    85,  14.7,   0.5,  2.35,"
                             "   -12,    10,   128,    -7,    12,     3,    10,    90 "));
}

TEST(LogLines, TextLogLineOfEmptyReadingsWritesZeros) {
    const QString line = LogLines::Text_Log_Line(QTime(0, 0, 0), 0, [](int) { return QString(); });
    EXPECT_EQ(line, QStringLiteral("00:00:00,    0") + QStringLiteral(",     0").repeated(15) +
                        QLatin1Char(' '));
}

TEST(LogLines, RawLogLineListsEveryByteWithABlankAfterIt) {
    EXPECT_EQ(LogLines::Raw_Log_Line(At, bytes({'1', 0, 17, 13})),
              QStringLiteral("14:05:09 ,49 0 17 13 "));
    EXPECT_EQ(LogLines::Raw_Log_Line(At, bytes({255, 128})), QStringLiteral("14:05:09 ,255 128 "));
}

TEST(LogLines, RecordGivesBackTheReplyBytes) {
    EXPECT_EQ(LogLines::Record_Bytes(QStringLiteral("14:05:09 ,49 0 17 13 ")),
              bytes({'1', 0, 17, 13}));
    // Runs of blanks are one separator; blanks at either end are dropped.
    EXPECT_EQ(LogLines::Record_Bytes(QStringLiteral("2:05:09 PM ,  49   0 255  ")),
              bytes({'1', 0, 255}));
    // Only the first comma ends the time.
    EXPECT_EQ(LogLines::Record_Bytes(QStringLiteral("x,1 2")), bytes({1, 2}));
}

TEST(LogLines, RecordThatIsNoReplyGivesNothing) {
    for (const char* record : {"14:05:09 ,49 256 13", "14:05:09 ,49 -1", "14:05:09 ,49 x 13",
                               "14:05:09 ,49 1.5", "14:05:09 ,", "14:05:09 ,   ", ""})
        EXPECT_FALSE(LogLines::Record_Bytes(QString::fromLatin1(record))) << record;
}

TEST(LogLines, EveryByteSurvivesTheRawLog) {
    QByteArray all;
    for (int v = 0; v < 256; ++v)
        all.append(static_cast<char>(v));
    EXPECT_EQ(LogLines::Record_Bytes(LogLines::Raw_Log_Line(At, all)), all);
}

TEST(LogLines, LengthTexts) {
    struct Case {
        int count, k;
        const char* text;
    } cases[] = {
        {450, 60, "0Min 45Sec"}, {450, 59, "0Min 44Sec"},   {900, 60, "1Min 30Sec"},
        {900, 59, "1Min 30Sec"}, {30001, 60, "50Min 0Sec"}, {1, 60, "0Min 0Sec"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogLines::Length_Text(c.count, c.k), QString::fromLatin1(c.text))
            << c.count << " " << c.k;
    EXPECT_EQ(LogLines::Running_Time_Text(599), QStringLiteral("Running Time: 0 Min 59 Sec"));
    EXPECT_EQ(LogLines::Running_Time_Text(600), QStringLiteral("Running Time: 1 Min 0 Sec"));
    // 29.5 seconds round to the even 30.
    EXPECT_EQ(LogLines::Running_Time_Text(300), QStringLiteral("Running Time: 0 Min 30 Sec"));
}

TEST(LogLines, TraceLines) {
    const QByteArray reply = bytes({'1', 0, 13});
    EXPECT_EQ(LogLines::Label_Bytes(reply), QStringLiteral(" 1=49 2=0 3=13"));
    EXPECT_EQ(LogLines::Trace_Bytes(reply), QStringLiteral("Comm--> Len(rx)=3 1=49 2=0 3=13 "));
    EXPECT_EQ(LogLines::Trace_Bytes(QByteArray()), QStringLiteral("Comm--> Len(rx)=0 "));
}

namespace {

// The trace's data line names the link's state: each test sets that state from
// its start values, and leaves none of it behind.
class LogLinesOfTheLink : public ::testing::Test, protected FreshState {};

} // namespace

TEST_F(LogLinesOfTheLink, TraceDataInNamesTheLinksState) {
    comm_rth = 18;
    TimeCNTDO = 9;
    cmd = QStringLiteral("49");
    bad_cnt = 2;
    CommStatus = 10;
    cfg_CommSpeed = 100;
    TimeRun[3] = 4;
    CommTimeCNT = 21;
    EXPECT_EQ(LogLines::Trace_Data_In(At, 120),
              QStringLiteral("Data IN14:05:09 Comm_Timer.Interval=120 comm_rth=18 TimeCNTDO=9 "
                             "cmd=49 bad_cnt=2 CommStatus=10 cfg_CommSpeed=100 TimeRun=4 "
                             "CommTimeCNT=21"));
}
