// The settings files without a window: the data line's layout, reading a kind's
// section, what a hand-edited section gives, and the rewrite that leaves every
// other byte of the file alone.

#include "tests/support/TempProgramFolder.h"
#include "tests/view3d/View3dTestSupport.h"
#include "view3d/Settings3D.h"

using namespace View3D;

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Section(const QString& header, const QStringList& data, const QString& end = "END") {
    return header + CrLf + data.join(CrLf) + CrLf + end + CrLf;
}

QStringList Rows_Of(int first) {
    QStringList rows;
    for (int r = 0; r < 6; ++r)
        rows << Data_Line(QStringLiteral("R%1").arg(first + r),
                          {first + r, 100 + first + r, 1, 2, 3, 4});
    return rows;
}

TEST(SettingsFile, ADataLineIs48CharactersOfPaddedFields) {
    EXPECT_EQ(Data_Line(QString(), {-20, 20, 1, 2, 4, 0}),
              QStringLiteral(",     ,-20   ,20    ,1     ,2     ,4     ,0     "));
    EXPECT_EQ(Data_Line(QStringLiteral("Amplitude"), {-32768, 32767, 10, 100, 500, 7}),
              QStringLiteral(",Ampli,-32768,32767 ,10    ,100   ,500   ,7     "));
    EXPECT_EQ(Data_Line(QStringLiteral("Amplitude"), {1, 2, 3, 4, 5, 6}).size(), 48);
}

TEST(SettingsFile, TheKindsSectionIsFoundByItsHeaderWhereverTheWordStands) {
    const QString text = QStringLiteral("3D settings") + CrLf +
                         Section(QStringLiteral("Analog:"), Rows_Of(10)) +
                         Section(QStringLiteral("Injection:"), Rows_Of(20)) +
                         QStringLiteral("ignition: in lower case is no header") + CrLf +
                         Section(QStringLiteral("Map Ignition: section"), Rows_Of(30));
    const SectionRead read = Read_Section(text, QStringLiteral("Ignition:"));
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.sound, 6);
    EXPECT_EQ(read.firstUnusableLine, 0);
    EXPECT_EQ(read.rows[0], (SettingRow{QStringLiteral("R30"), {30, 130, 1, 2, 3, 4}}));
    EXPECT_EQ(read.rows[5], (SettingRow{QStringLiteral("R35"), {35, 135, 1, 2, 3, 4}}));
    EXPECT_EQ(Read_Section(text, QStringLiteral("Analog:")).rows[2].setting.min, 12);
    EXPECT_FALSE(Read_Section(text, QStringLiteral("Other:")).found);
}

TEST(SettingsFile, AHandEditedSectionIsReadAsFarAsItIsSound) {
    struct Case {
        const char* what;
        QStringList data;
        int sound;
        int badLine; // counting the header as line 1
    };
    QStringList seven = Rows_Of(10);
    seven << Data_Line(QStringLiteral("more"), {1, 2, 3, 4, 5, 6});
    QStringList letter = Rows_Of(10);
    letter[3] = QStringLiteral(",Top  ,0     ,5o0   ,10    ,50    ,50    ,0     ");
    QStringList few = Rows_Of(10).mid(0, 4);
    QStringList commas = Rows_Of(10);
    commas[1] = QStringLiteral(",Hght ,300   ,6000  ,10    ,50    ,400   ");
    QStringList upsideDown = Rows_Of(10);
    upsideDown[0] = Data_Line(QStringLiteral("Ampl"), {20, -20, 1, 2, 4, 0});
    QStringList padded = Rows_Of(10);
    padded[2] = QStringLiteral(",Width,  007,5000,10,100,500,0,extra, text");
    const Case cases[] = {
        {"seven data lines", seven, 6, 8},
        {"a letter in a number", letter, 3, 5},
        {"four data lines", few, 4, 0},
        {"a line of six fields", commas, 1, 3},
        {"Min above Max", upsideDown, 0, 2},
        {"blanks, leading zeros and an eighth comma", padded, 6, 0},
    };
    for (const Case& c : cases) {
        const SectionRead read =
            Read_Section(Section(QStringLiteral("Analog:"), c.data), QStringLiteral("Analog:"));
        ASSERT_TRUE(read.found) << c.what;
        EXPECT_EQ(read.sound, c.sound) << c.what;
        EXPECT_EQ(read.firstUnusableLine, c.badLine) << c.what;
        for (int r = 0; r < 6; ++r) {
            const SettingRow expected =
                r < c.sound ? (r == 2 && c.data == padded
                                   ? SettingRow{QStringLiteral("Width"), {7, 5000, 10, 100, 500, 0}}
                                   : SettingRow{QStringLiteral("R%1").arg(10 + r),
                                                {10 + r, 110 + r, 1, 2, 3, 4}})
                            : Built_In_Rows()[static_cast<std::size_t>(r)];
            EXPECT_EQ(read.rows[static_cast<std::size_t>(r)], expected) << c.what << " row " << r;
        }
    }
}

TEST(SettingsFile, TheRewriteReplacesTheKindsDataLinesAndNothingElse) {
    // Lines outside the section in every line-end style, a last line without one.
    const QString before = QStringLiteral("title\n") + Section("Analog:", Rows_Of(10)) +
                           QStringLiteral("between\r") + Section("Injection:", Rows_Of(20)) +
                           QStringLiteral("tail without end");
    SettingsTable table;
    for (int r = 1; r <= 6; ++r)
        Store_Row(table, r,
                  {QStringLiteral("New%1").arg(r), {r, r + 1, r + 2, r + 3, r + 4, r + 5}});
    const QString after = Rewrite_Section(before, QStringLiteral("Injection:"), table);
    QStringList newRows;
    for (int r = 1; r <= 6; ++r)
        newRows << Data_Line(table, r);
    EXPECT_EQ(after, QStringLiteral("title\n") + Section("Analog:", Rows_Of(10)) +
                         QStringLiteral("between\r") + Section("Injection:", newRows) +
                         QStringLiteral("tail without end"));
    // A section of seven lines keeps its seventh; a kind without one changes nothing.
    QStringList seven = Rows_Of(10);
    seven << QStringLiteral(",extra");
    const QString longer = Section("Ignition:", seven);
    EXPECT_TRUE(Rewrite_Section(longer, "Ignition:", table).endsWith(",extra\r\nEND\r\n"));
    EXPECT_EQ(Rewrite_Section(before, QStringLiteral("Ignition:"), table), before);
}

TEST(SettingsFile, TheShippedFilesHoldTheSlidersOwnSettingsForEveryKind) {
    for (const QString& name : {SettingsFile, DefaultSettingsFile}) {
        QFile f(TempProgramFolder::sourceDir() + QStringLiteral("/data/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString text = QString::fromLatin1(f.readAll());
        EXPECT_EQ(text, Built_In_File()) << name.toStdString();
        for (const char* kind : Kinds) {
            const SectionRead read = Read_Section(text, QString::fromLatin1(kind));
            EXPECT_TRUE(read.found);
            EXPECT_EQ(read.sound, 6) << kind;
            EXPECT_EQ(read.rows, Built_In_Rows()) << kind;
        }
    }
}

} // namespace
