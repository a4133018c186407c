// The serial trace "dump_comms.txt": bounded however long the program polls,
// and a trace that can no longer be written is told once, after the handler
// that wrote it, with the file and the cause.

#include "link/CommTrace.h"
#include "link/LogLines.h"
#include "platform/Dialogs.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempProgramFolder.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CommTraceTest : public ::testing::Test {
protected:
    ~CommTraceTest() override { Trace().close(); }
    qint64 sizeOf(const QString& name) const { return QFileInfo(folder.file(name)).size(); }
    // The two lines the receive handler writes for a page reply.
    void writeReply() {
        Trace().write(LogLines::Trace_Data_In(QTime(12, 0, 5), 40));
        Trace().write(LogLines::Trace_Bytes(page));
    }
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
    const QByteArray page = QByteArray(130, '\x93');
};

TEST_F(CommTraceTest, NeitherTraceFilePassesItsBound) {
    ASSERT_TRUE(Trace().open());
    qint64 written = 0;
    const qint64 perReply = LogLines::Trace_Data_In(QTime(12, 0, 5), 40).size() +
                            LogLines::Trace_Bytes(page).size() + 4;
    // Well past two rotations, checking the bound as it goes.
    while (written < 5 * CommTrace::MaxBytes / 2) {
        for (int i = 0; i < 1000; ++i)
            writeReply();
        written += 1000 * perReply;
        ASSERT_LE(sizeOf(CommTrace::FileName), CommTrace::MaxBytes);
        ASSERT_LE(sizeOf(CommTrace::OldFileName), CommTrace::MaxBytes);
    }
    // The stretch before the current one is kept whole, and both begin with a line.
    EXPECT_GT(sizeOf(CommTrace::OldFileName), CommTrace::MaxBytes - perReply);
    const auto wholeLineFirst = [](const QByteArray& bytes) {
        return bytes.startsWith("Data IN") || bytes.startsWith("Comm--> ");
    };
    EXPECT_TRUE(wholeLineFirst(folder.read(CommTrace::OldFileName)));
    EXPECT_TRUE(folder.read(CommTrace::OldFileName).endsWith("\r\n"));
    EXPECT_TRUE(wholeLineFirst(folder.read(CommTrace::FileName)));
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(CommTraceTest, ATraceThatCannotBeWrittenIsToldOnceAfterTheWriter) {
    ASSERT_TRUE(Trace().open());
    writeReply();
    {
        FileSizeLimit limit(static_cast<rlim_t>(sizeOf(CommTrace::FileName) + 100));
        ASSERT_TRUE(limit.active());
        for (int i = 0; i < 50; ++i)
            writeReply();
        EXPECT_TRUE(dialogs.records().empty()) << "nothing shown while the writer runs";
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.records().empty(); }, 5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString text = dialogs.records()[0].text;
    EXPECT_TRUE(text.contains(CommTrace::FileName)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("size limit"))) << text.toStdString();
    EXPECT_FALSE(Trace().isOpen()) << "no more writes to a file that cannot take them";
    writeReply();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.records().size(), 1u);
}

} // namespace
