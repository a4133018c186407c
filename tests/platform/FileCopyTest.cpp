// The whole-file copy: every byte or nothing at the target's name, and the
// program's error number with the reason when it cannot be done.

#include "platform/FileCopy.h"
#include "platform/KvrError.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/NoPermissionOverride.h"
#include "tests/support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Every byte value, over more than one buffer of the copy.
QByteArray everyByte(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
    return bytes;
}

// What the folder holds, hidden files too: a copy cut short leaves nothing.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

TEST(FileCopy, ACompleteCopyHasEveryByteAndReplacesTheTarget) {
    TempProgramFolder folder;
    const QByteArray bytes = everyByte(200'000);
    folder.write("KVR6.cfg", bytes);
    ASSERT_TRUE(QDir(folder.path()).mkdir("backup"));
    folder.write("backup/KVR6.cfg", "an older backup\r\n");

    const FileCopy::Result result =
        FileCopy::Copy(folder.file("KVR6.cfg"), folder.file("backup/KVR6.cfg"));
    EXPECT_TRUE(result.ok()) << result.reason.toStdString();
    EXPECT_EQ(folder.read("backup/KVR6.cfg"), bytes);
    EXPECT_EQ(entries(folder.file("backup")), QStringList{"KVR6.cfg"});

    folder.write("empty.kvr", "");
    EXPECT_TRUE(FileCopy::Copy(folder.file("empty.kvr"), folder.file("backup/empty.kvr")).ok());
    EXPECT_TRUE(folder.exists("backup/empty.kvr"));
    EXPECT_EQ(folder.read("backup/empty.kvr"), QByteArray());
}

TEST(FileCopy, AFolderThatFillsUpLeavesNoFileAndIsError61) {
    TempProgramFolder folder;
    folder.write("big.kvr", everyByte(100'000));
    ASSERT_TRUE(QDir(folder.path()).mkdir("stick"));
    folder.write("stick/kept.kvr", "the copy made last week\r\n");
    FileCopy::Result fresh, over;
    {
        FileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.active());
        fresh = FileCopy::Copy(folder.file("big.kvr"), folder.file("stick/big.kvr"));
        over = FileCopy::Copy(folder.file("big.kvr"), folder.file("stick/kept.kvr"));
    }
    EXPECT_EQ(fresh.error, KvrError::DiskFull);
    EXPECT_FALSE(fresh.reason.isEmpty());
    EXPECT_FALSE(folder.exists("stick/big.kvr"));
    EXPECT_EQ(over.error, KvrError::DiskFull);
    EXPECT_EQ(folder.read("stick/kept.kvr"), QByteArray("the copy made last week\r\n"));
    EXPECT_EQ(entries(folder.file("stick")), QStringList{"kept.kvr"});
}

TEST(FileCopy, AMissingFolderIs71AndAMissingSourceIs53) {
    TempProgramFolder folder;
    folder.write("KVR6.cfg", "Port=1\r\n");
    const FileCopy::Result noFolder =
        FileCopy::Copy(folder.file("KVR6.cfg"), folder.file("unplugged/KVR6.cfg"));
    EXPECT_EQ(noFolder.error, KvrError::DiskNotReady);
    EXPECT_EQ(noFolder.reason, QStringLiteral("the folder does not exist"));
    EXPECT_FALSE(QDir(folder.file("unplugged")).exists());

    const FileCopy::Result noSource =
        FileCopy::Copy(folder.file("none.kvr"), folder.file("copy.kvr"));
    EXPECT_EQ(noSource.error, KvrError::FileNotFound);
    EXPECT_FALSE(folder.exists("copy.kvr"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    EXPECT_EQ(FileCopy::Copy(folder.file("sub"), folder.file("copy.kvr")).error,
              KvrError::FileNotFound);
}

TEST(FileCopy, AFolderInPlaceOfTheTargetIs75AndStays) {
    TempProgramFolder folder;
    folder.write("KVR6.cfg", "Port=1\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkpath("stick/KVR6.cfg"));
    const FileCopy::Result result =
        FileCopy::Copy(folder.file("KVR6.cfg"), folder.file("stick/KVR6.cfg"));
    EXPECT_EQ(result.error, KvrError::PathFileAccess);
    EXPECT_TRUE(QFileInfo(folder.file("stick/KVR6.cfg")).isDir());
    EXPECT_TRUE(entries(folder.file("stick")).isEmpty());
}

// A folder the program may not write into: without write permission, and the
// test thread held to permissions as any user is, also when the suite runs as
// root.
TEST(FileCopy, AFolderWithoutWritePermissionIs70) {
    TempProgramFolder folder;
    folder.write("KVR6.cfg", "Port=1\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
    folder.write("locked/KVR6.cfg", "Port=2\r\n");
    QFile locked(folder.file("locked"));
    const auto writable = locked.permissions();
    ASSERT_TRUE(locked.setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    FileCopy::Result result;
    {
        NoPermissionOverride asAnyUser;
        ASSERT_TRUE(asAnyUser.active());
        result = FileCopy::Copy(folder.file("KVR6.cfg"), folder.file("locked/KVR6.cfg"));
    }
    locked.setPermissions(writable);
    EXPECT_EQ(result.error, KvrError::PermissionDenied);
    EXPECT_EQ(result.reason, QStringLiteral("permission denied"));
    EXPECT_EQ(folder.read("locked/KVR6.cfg"), QByteArray("Port=2\r\n"));
    EXPECT_EQ(entries(folder.file("locked")), QStringList{"KVR6.cfg"});
}

TEST(FileCopy, AFolderNoLongerOnTheDeviceTheCopyBeganOnTakesNoFile) {
    TempProgramFolder folder;
    folder.write("map.kvr", "a map\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("stick"));
    const std::optional<quint64> device = FileCopy::Device_Of(folder.file("stick"));
    ASSERT_TRUE(device.has_value());
    EXPECT_FALSE(FileCopy::Device_Of(folder.file("not-there")).has_value());
    EXPECT_FALSE(FileCopy::Device_Of(folder.file("map.kvr")).has_value()) << "a file is no folder";

    // The folder at the path is on another device now (the bare mount point of
    // a stick taken away): nothing is written there.
    const FileCopy::Result moved =
        FileCopy::Copy(folder.file("map.kvr"), folder.file("stick/map.kvr"), *device + 1);
    EXPECT_EQ(moved.error, KvrError::DiskNotReady);
    EXPECT_EQ(moved.reason, QStringLiteral("the folder is no longer on the disk the copy began "
                                           "on; the stick was taken away or unmounted"));
    EXPECT_TRUE(entries(folder.file("stick")).isEmpty());

    const FileCopy::Result same =
        FileCopy::Copy(folder.file("map.kvr"), folder.file("stick/map.kvr"), device);
    EXPECT_TRUE(same.ok()) << same.reason.toStdString();
    EXPECT_EQ(folder.read("stick/map.kvr"), QByteArray("a map\r\n"));
}
