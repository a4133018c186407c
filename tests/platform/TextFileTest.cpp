#include "platform/TextFile.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempProgramFolder.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(TextFile, MarkerCharactersSurviveARoundTrip) {
    TempProgramFolder folder;
    const QString line = QString("x") + QChar(170) + QChar(171) + QChar(255) + "y";
    TextFile::writeLines(folder.file("t.txt"), {line, "second"});
    EXPECT_EQ(folder.read("t.txt"), QByteArray("x\xaa\xab\xffy\r\nsecond\r\n"));
    EXPECT_EQ(TextFile::readLines(folder.file("t.txt")), (QStringList{line, "second"}));
}

TEST(TextFile, LineEndsOfEveryKindAreAccepted) {
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb", {"a", "b"}},
        {"", {}},
        {"\r\n", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextFile::splitLines(QString::fromLatin1(c.text)), c.lines) << c.text;
}

TEST(TextFile, AMissingFileIsError53) {
    TempProgramFolder folder;
    try {
        TextFile::readLines(folder.file("none.cfg"));
        FAIL() << "no error";
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), KvrError::FileNotFound);
    }
}

TEST(TextFile, AnUncommittedWriterLeavesTheOldFile) {
    TempProgramFolder folder;
    folder.write("keep.cfg", "old\r\n");
    {
        TextWriter w(folder.file("keep.cfg"));
        w.writeLine("new");
        // Leaves scope without commit(): as if the write had failed midway.
    }
    EXPECT_EQ(folder.read("keep.cfg"), QByteArray("old\r\n"));
}

TEST(TextFile, WritingIntoAMissingFolderFails) {
    TempProgramFolder folder;
    EXPECT_THROW(TextFile::writeLines(folder.file("nofolder/x.cfg"), {"a"}), KvrError);
}

TEST(TextFile, ReaderHandsOnItsPosition) {
    TextReader r = TextReader::fromText("head\r\nMAPS:\r\nrow\r\n");
    EXPECT_EQ(r.readLine(), "head");
    EXPECT_EQ(r.readLine(), "MAPS:");
    EXPECT_EQ(r.lineNumber(), 2);
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.readLine(), "row");
    EXPECT_TRUE(r.atEnd());
    EXPECT_THROW(r.readLine(), KvrError);
}

TEST(TextFile, PrintZonesAre14Wide) {
    EXPECT_EQ(TextFile::padToNextZone("").size(), 14);
    EXPECT_EQ(TextFile::padToNextZone("12-09-2026").size(), 14);
    EXPECT_EQ(TextFile::padToNextZone(QString(14, 'x')).size(), 28);
    EXPECT_EQ(TextFile::padToNextZone(QString(20, 'x')).size(), 28);
}

TEST(ProgramFolder, FollowsKvr6HomeAndListsByPattern) {
    TempProgramFolder folder;
    EXPECT_EQ(ProgramFolder::path(), folder.path());
    EXPECT_EQ(ProgramFolder::file("\\dump_comms.txt"), folder.path() + "/dump_comms.txt");
    folder.write("KVR6.cfg", "");
    folder.write("kvr6Type.cfg", "");
    folder.write("map.kvr", "");
    EXPECT_EQ(ProgramFolder::list("*.cfg"), (QStringList{"KVR6.cfg", "kvr6Type.cfg"}));
    EXPECT_EQ(ProgramFolder::list("kvr*.cfg").size(), 2);
    EXPECT_TRUE(ProgramFolder::exists("map.kvr"));
    EXPECT_FALSE(ProgramFolder::exists("other.kvr"));
}

TEST(TextFile, AShortWriteFailsAndKeepsTheOldFile) {
    TempProgramFolder folder;
    folder.write("keep.cfg", "old\r\n");
    TextWriter w(folder.file("keep.cfg"));
    w.write(QString(8000, 'x'));
    {
        FileSizeLimit limit(4000);
        ASSERT_TRUE(limit.active());
        EXPECT_THROW(w.commit(), KvrError);
    }
    EXPECT_EQ(folder.read("keep.cfg"), QByteArray("old\r\n"));
}

TEST(TextFile, AFailedWriteNamesTheFileAndTheRealCause) {
    TempProgramFolder folder;
    folder.write("keep.cfg", "old\r\n");
    TextWriter w(folder.file("keep.cfg"));
    w.write(QString(8000, 'x'));
    try {
        FileSizeLimit limit(4000);
        ASSERT_TRUE(limit.active());
        w.commit();
        ADD_FAILURE() << "the commit went through";
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), KvrError::DiskFull) << "a size limit is met like a full disk";
        EXPECT_TRUE(e.description().contains("keep.cfg")) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains("size limit")) << e.description().toStdString();
    }
}

TEST(TextFile, AFolderInPlaceOfAFileIsToldAsSuch) {
    TempProgramFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("KVR6Mode.cfg"));
    try {
        TextFile::writeLines(folder.file("KVR6Mode.cfg"), {"Mode: Online"});
        ADD_FAILURE() << "a file was written over a folder";
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), KvrError::PathFileAccess);
        EXPECT_TRUE(e.description().contains("KVR6Mode.cfg"));
        EXPECT_TRUE(e.description().contains("folder")) << e.description().toStdString();
        EXPECT_FALSE(e.description().contains("Disk full"));
    }
}
