// The settings files without a window: the data line's layout, reading a kind's
// section, what a hand-edited section gives line by line, the rewrite that
// changes only the lines of changed rows and leaves every other byte alone, and
// the files in the program folder read, made and written.

#include "platform/Dialogs.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/NoPermissionOverride.h"
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
    EXPECT_EQ(read.dataLines, 6);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.rows[0], (SettingRow{QStringLiteral("R30"), {30, 130, 1, 2, 3, 4}}));
    EXPECT_EQ(read.rows[5], (SettingRow{QStringLiteral("R35"), {35, 135, 1, 2, 3, 4}}));
    EXPECT_EQ(Read_Section(text, QStringLiteral("Analog:")).rows[2]->setting.min, 12);
    EXPECT_FALSE(Read_Section(text, QStringLiteral("Other:")).found);
}

TEST(SettingsFile, EachLineThatCannotBeUsedIsNamedAndSkippedAlone) {
    struct Case {
        const char* what;
        int row;         // the row whose line is spoiled (0..5), -1 none
        QString line;    // the spoiled line, or a seventh when row is 6
        const char* why; // what the problem says, after "line N skipped, "
    };
    const Case cases[] = {
        {"a letter in a number", 3, ",Top  ,0     ,5o0   ,10    ,50    ,50    ,0     ",
         "its Max \"5o0\" is no whole number"},
        {"a blank field", 0, ",Amp,-10,,1,2,5,0", "its Max is blank"},
        {"a line of six fields", 1, ",Hght ,300   ,6000  ,10    ,50    ,400   ",
         "it has 6 of the seven fields"},
        {"Min above Max", 0, Data_Line(QStringLiteral("Ampl"), {20, -20, 1, 2, 4, 0}),
         "its Min 20 is above its Max -20"},
        {"a number beyond 16 bits", 5, ",Tw,1,40000,10,100,500,0", "its Max 40000 is out of range"},
        {"an empty line", 2, QString(), "it is empty"},
        {"a seventh data line", 6, Data_Line(QStringLiteral("more"), {1, 2, 3, 4, 5, 6}),
         "one slider line too many"},
    };
    for (const Case& c : cases) {
        QStringList data = Rows_Of(10);
        if (c.row < 6)
            data[c.row] = c.line;
        else
            data << c.line;
        const SectionRead read =
            Read_Section(Section(QStringLiteral("Analog:"), data), QStringLiteral("Analog:"));
        ASSERT_TRUE(read.found) << c.what;
        EXPECT_EQ(read.dataLines, static_cast<int>(data.size())) << c.what;
        const int line = c.row + 2; // the header is line 1
        ASSERT_EQ(read.problems.size(), 1u) << c.what;
        EXPECT_EQ(read.problems[0],
                  (LineProblem{line, QStringLiteral("line %1 skipped, %2").arg(line).arg(c.why)}))
            << c.what << ": " << read.problems[0].text.toStdString();
        // Only the spoiled line is skipped: every other row is its own line's.
        for (int r = 0; r < 6; ++r) {
            if (r == c.row) {
                EXPECT_FALSE(read.rows[static_cast<std::size_t>(r)].has_value()) << c.what;
                continue;
            }
            EXPECT_EQ(
                read.rows[static_cast<std::size_t>(r)],
                (SettingRow{QStringLiteral("R%1").arg(10 + r), {10 + r, 110 + r, 1, 2, 3, 4}}))
                << c.what << " row " << r;
        }
        // A seventh line has no slider to keep its settings.
        EXPECT_EQ(
            Problems_Text(QStringLiteral("KVR63DDraw.cfg"), read),
            QStringLiteral("KVR63DDraw.cfg: line %1 skipped, %2.%3")
                .arg(line)
                .arg(c.why)
                .arg(c.row < 6 ? QStringLiteral(" That slider keeps its settings.") : QString()))
            << c.what;
    }
    // Blanks, leading zeros and a text after an eighth comma are no problem.
    QStringList padded = Rows_Of(10);
    padded[2] = QStringLiteral(",Width,  007,5000,10,100,500,0,extra, text");
    const SectionRead read =
        Read_Section(Section(QStringLiteral("Analog:"), padded), QStringLiteral("Analog:"));
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.rows[2], (SettingRow{QStringLiteral("Width"), {7, 5000, 10, 100, 500, 0}}));
    EXPECT_EQ(Problems_Text(QStringLiteral("KVR63DDraw.cfg"), read), QString());
}

TEST(SettingsFile, ASectionWithoutItsEndLineStopsAtTheNextSection) {
    // The analog section has lost its END line and two lines; the injection
    // section follows, then an ignition section that has lost its END at the
    // end of the file.
    const QString text = QStringLiteral("Analog:") + CrLf + Rows_Of(10).mid(0, 4).join(CrLf) +
                         CrLf + Section(QStringLiteral("Injection:"), Rows_Of(20)) +
                         QStringLiteral("Ignition:") + CrLf + Rows_Of(30).join(CrLf) + CrLf;
    const SectionRead analog = Read_Section(text, QStringLiteral("Analog:"));
    EXPECT_EQ(analog.dataLines, 4);
    EXPECT_EQ(analog.rows[3]->setting.min, 13);
    EXPECT_FALSE(analog.rows[4].has_value()) << "the next header is no data line";
    ASSERT_EQ(analog.problems.size(), 1u);
    EXPECT_EQ(
        analog.problems[0].text,
        QStringLiteral("the Analog: section of line 1 has no END line, it ends before line 6"));
    const SectionRead ignition = Read_Section(text, QStringLiteral("Ignition:"));
    EXPECT_EQ(ignition.rows[5]->setting.min, 35);
    ASSERT_EQ(ignition.problems.size(), 1u);
    EXPECT_TRUE(ignition.problems[0].text.endsWith(QStringLiteral("it ends with the file")));
    EXPECT_TRUE(Read_Section(text, QStringLiteral("Injection:")).problems.empty());
    // Two lines skipped and a lost END line in one sentence.
    QStringList spoiled = Rows_Of(10);
    spoiled[1] = QStringLiteral(",H,1,x,1,1,1,1");
    spoiled[4] = QStringLiteral(",B");
    EXPECT_EQ(Problems_Text(QStringLiteral("KVR63DDraw.cfg"),
                            Read_Section(QStringLiteral("Analog:") + CrLf + spoiled.join(CrLf),
                                         QStringLiteral("Analog:"))),
              QStringLiteral("KVR63DDraw.cfg: line 3 skipped, its Max \"x\" is no whole number; "
                             "line 6 skipped, it has 1 of the seven fields; the Analog: section of "
                             "line 1 has no END line, it ends with the file. Those sliders keep "
                             "their settings."));

    // A rewrite of every analog row changes the four analog lines only.
    SettingsTable table;
    for (int r = 1; r <= 6; ++r)
        Store_Row(table, r,
                  {QStringLiteral("New%1").arg(r), {r, r + 1, r + 2, r + 3, r + 4, r + 5}});
    QStringList newRows;
    for (int r = 1; r <= 4; ++r)
        newRows << Data_Line(table, r);
    const std::array<bool, 6> all{true, true, true, true, true, true};
    EXPECT_EQ(Rewrite_Section(text, QStringLiteral("Analog:"), table, all),
              QStringLiteral("Analog:") + CrLf + newRows.join(CrLf) + CrLf +
                  text.mid(text.indexOf(QStringLiteral("Injection:"))));
}

TEST(SettingsFile, SkippedLinesBeyondTheFirstFewAreCountedNotNamed) {
    struct Case {
        const char* what;
        int spoiled;       // spoiled lines after the six good ones
        bool endLost;      // the section lost its END line
        const char* after; // the sentence after the five lines named
    };
    const Case cases[] = {
        {"five lines too many, none counted", 5, false, "."},
        {"six, one counted", 6, false, "; 1 more line skipped."},
        {"many, and the END line lost", 100000, true,
         "; 99995 more lines skipped; the Analog: section of line 1 has no END line, it ends "
         "with the file."},
    };
    for (const Case& c : cases) {
        QStringList data = Rows_Of(10);
        for (int i = 0; i < c.spoiled; ++i)
            data << QStringLiteral(",x");
        const QString text = c.endLost ? QStringLiteral("Analog:") + CrLf + data.join(CrLf) + CrLf
                                       : Section(QStringLiteral("Analog:"), data);
        const SectionRead read = Read_Section(text, QStringLiteral("Analog:"));
        EXPECT_EQ(read.dataLines, 6 + c.spoiled) << c.what;
        EXPECT_EQ(read.moreSkipped, c.spoiled - NamedSkips) << c.what;
        ASSERT_EQ(read.problems.size(), static_cast<std::size_t>(NamedSkips + (c.endLost ? 1 : 0)))
            << c.what;
        for (int k = 0; k < NamedSkips; ++k)
            EXPECT_EQ(read.problems[static_cast<std::size_t>(k)].line, 8 + k) << c.what;
        for (int r = 0; r < 6; ++r)
            EXPECT_EQ(read.rows[static_cast<std::size_t>(r)]->setting.min, 10 + r) << c.what;
        EXPECT_EQ(Problems_Text(QStringLiteral("KVR63DDraw.cfg"), read),
                  QStringLiteral("KVR63DDraw.cfg: line 8 skipped, one slider line too many; line "
                                 "9 skipped, one slider line too many; line 10 skipped, one "
                                 "slider line too many; line 11 skipped, one slider line too "
                                 "many; line 12 skipped, one slider line too many") +
                      QString::fromLatin1(c.after))
            << c.what;
    }
}

TEST(SettingsFile, TheRewriteReplacesTheChangedRowsLinesAndNothingElse) {
    // Lines outside the section in every line-end style, a last line without one.
    const QString before = QStringLiteral("title\n") + Section("Analog:", Rows_Of(10)) +
                           QStringLiteral("between\r") + Section("Injection:", Rows_Of(20)) +
                           QStringLiteral("tail without end");
    SettingsTable table;
    for (int r = 1; r <= 6; ++r)
        Store_Row(table, r,
                  {QStringLiteral("New%1").arg(r), {r, r + 1, r + 2, r + 3, r + 4, r + 5}});
    const std::array<bool, 6> all{true, true, true, true, true, true};
    QStringList newRows;
    for (int r = 1; r <= 6; ++r)
        newRows << Data_Line(table, r);
    EXPECT_EQ(Rewrite_Section(before, QStringLiteral("Injection:"), table, all),
              QStringLiteral("title\n") + Section("Analog:", Rows_Of(10)) +
                  QStringLiteral("between\r") + Section("Injection:", newRows) +
                  QStringLiteral("tail without end"));
    // Only the rows marked changed, each line keeping its own line end.
    QStringList mixed = Rows_Of(20);
    mixed[1] = newRows[1];
    mixed[4] = newRows[4];
    EXPECT_EQ(Rewrite_Section(before, QStringLiteral("Injection:"), table,
                              {false, true, false, false, true, false}),
              QStringLiteral("title\n") + Section("Analog:", Rows_Of(10)) +
                  QStringLiteral("between\r") + Section("Injection:", mixed) +
                  QStringLiteral("tail without end"));
    EXPECT_EQ(Rewrite_Section(before, QStringLiteral("Injection:"), table, {}), before);
    // A section of seven lines keeps its seventh; a kind without one changes nothing.
    QStringList seven = Rows_Of(10);
    seven << QStringLiteral(",extra");
    const QString longer = Section("Ignition:", seven);
    EXPECT_TRUE(Rewrite_Section(longer, "Ignition:", table, all).endsWith(",extra\r\nEND\r\n"));
    EXPECT_EQ(Rewrite_Section(before, QStringLiteral("Ignition:"), table, all), before);
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
            EXPECT_TRUE(read.problems.empty()) << kind;
            for (std::size_t r = 0; r < 6; ++r)
                EXPECT_EQ(read.rows[r], Built_In_Rows()[r]) << kind;
        }
    }
}

// A program folder of its own and the messages told.
class SettingsFileInFolder : public ::testing::Test {
protected:
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;

    static QStringList Section_Lines(const QString& kind, int maxBase) {
        QStringList lines{kind};
        for (int r = 0; r < 6; ++r)
            lines << Data_Line("x", {0, maxBase + r, 1, 2, 3, 0});
        lines << QStringLiteral("END");
        return lines;
    }
};

TEST_F(SettingsFileInFolder, AMissingFileReadsAsTheBuiltInSettingsAndOnlyTheViewsOwnIsMade) {
    for (const auto& [name, create] :
         {std::pair{SettingsFile, true}, std::pair{DefaultSettingsFile, false}}) {
        QFile::remove(folder.file(name));
        const FileRead read = Read_Settings_File(name, QStringLiteral("Injection:"), create);
        EXPECT_TRUE(read.usable) << name.toStdString();
        ASSERT_TRUE(read.section.found) << name.toStdString();
        EXPECT_TRUE(read.section.problems.empty());
        for (std::size_t r = 0; r < 6; ++r)
            EXPECT_EQ(read.section.rows[r], Built_In_Rows()[r]) << name.toStdString();
        EXPECT_EQ(folder.exists(name), create) << name.toStdString();
        if (create)
            EXPECT_EQ(folder.read(name), Built_In_File().toLatin1());
    }
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(SettingsFileInFolder, AFileThatCannotBeReadOrMadeIsToldOnceAndLeftAlone) {
    const QStringList lines = Section_Lines(QStringLiteral("Analog:"), 100);
    const QByteArray bytes =
        (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
    struct Case {
        const char* what;
        QString name;
        bool create;
        bool folderReadOnly; // else the file is there without read permission
        const char* doing;
        const char* next;
        bool builtInRows; // what the read still gives
    };
    const Case cases[] = {
        {"an unreadable settings file", SettingsFile, true, false, "read",
         "The view uses the sliders' own settings, and the file is left as it is.", false},
        {"an unreadable default file", DefaultSettingsFile, false, false, "read",
         "The sliders keep their settings.", false},
        {"a missing settings file in a read-only folder", SettingsFile, true, true, "created",
         "The view uses the sliders' own settings.", true},
    };
    for (const Case& c : cases) {
        QFile::remove(folder.file(c.name));
        if (c.folderReadOnly) {
            ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        } else {
            folder.write(c.name, bytes);
            ASSERT_TRUE(QFile::setPermissions(folder.file(c.name), QFile::WriteOwner));
        }
        dialogs.clear();
        FileRead read;
        {
            NoPermissionOverride asAnyUser;
            ASSERT_TRUE(asAnyUser.active());
            read = Read_Settings_File(c.name, QStringLiteral("Analog:"), c.create);
        }
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_FALSE(read.usable) << c.what;
        EXPECT_EQ(read.section.found, c.builtInRows) << c.what;
        if (c.builtInRows)
            for (std::size_t r = 0; r < 6; ++r)
                EXPECT_EQ(read.section.rows[r], Built_In_Rows()[r]) << c.what;
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        const auto& told = dialogs.records()[0];
        EXPECT_EQ(told.title, QStringLiteral("3D view settings"));
        EXPECT_TRUE(told.text.startsWith(QStringLiteral("The 3D view settings file ") + c.name +
                                         QStringLiteral(" could not be ") +
                                         QString::fromLatin1(c.doing) + QStringLiteral(" (")))
            << told.text.toStdString();
        EXPECT_TRUE(told.text.endsWith(QString::fromLatin1(c.next))) << told.text.toStdString();
        if (c.folderReadOnly) {
            EXPECT_FALSE(folder.exists(c.name)) << c.what;
        } else {
            QFile::setPermissions(folder.file(c.name), QFile::ReadOwner | QFile::WriteOwner);
            EXPECT_EQ(folder.read(c.name), bytes) << c.what;
        }
    }
}

TEST_F(SettingsFileInFolder, TheSaveWritesTheChangedRowsOnlyAndNothingWithoutAChange) {
    SettingsTable table;
    for (int r = 1; r <= 6; ++r)
        Store_Row(table, r, {QStringLiteral("N%1").arg(r), {r, 50 + r, 1, 2, 3, 0}});
    const QString kind = QStringLiteral("Injection:");
    const std::array<bool, 6> none{};
    const std::array<bool, 6> third{false, false, true, false, false, false};

    // No change: a missing file stays missing, a file stays as it was.
    QFile::remove(folder.file(SettingsFile));
    Save_Settings_File(kind, table, none);
    EXPECT_FALSE(folder.exists(SettingsFile));
    const QByteArray lf =
        (QStringLiteral("mine\n") + Section_Lines(kind, 100).join(QStringLiteral("\n")) +
         QStringLiteral("\n"))
            .toLatin1();
    folder.write(SettingsFile, lf);
    Save_Settings_File(kind, table, none);
    EXPECT_EQ(folder.read(SettingsFile), lf);

    // A change: that row's line alone, the rest of the file byte for byte.
    Save_Settings_File(kind, table, third);
    QStringList expected = Section_Lines(kind, 100);
    expected[3] = Data_Line(table, 3);
    EXPECT_EQ(
        folder.read(SettingsFile),
        (QStringLiteral("mine\n") + expected.join(QStringLiteral("\n")) + QStringLiteral("\n"))
            .toLatin1());

    // A missing file is made from the built-in settings with the changed row.
    QFile::remove(folder.file(SettingsFile));
    Save_Settings_File(kind, table, third);
    EXPECT_EQ(folder.read(SettingsFile),
              Rewrite_Section(Built_In_File(), kind, table, third).toLatin1());
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(SettingsFileInFolder, ASaveThatFailsIsToldAndLeavesTheFileAsItWas) {
    folder.writeLines(SettingsFile, Section_Lines(QStringLiteral("Analog:"), 100));
    const QByteArray before = folder.read(SettingsFile);
    SettingsTable table;
    for (int r = 1; r <= 6; ++r)
        Store_Row(table, r, {QStringLiteral("N"), {0, 300 + r, 1, 2, 3, 0}});
    {
        FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        Save_Settings_File(QStringLiteral("Analog:"), table, {true, true, true, true, true, true});
    }
    EXPECT_EQ(folder.read(SettingsFile), before);
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString text = dialogs.records()[0].text;
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("The 3D view settings file KVR63DDraw.cfg could not be saved (")))
        << text.toStdString();
    EXPECT_TRUE(
        text.endsWith(QStringLiteral("The view's settings are not kept for the next opening.")));
}

} // namespace
