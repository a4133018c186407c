// The one sentence a file problem is told in, for one file and for several.

#include "platform/FileProblem.h"
#include "platform/Dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(FileProblem, SeveralFilesAreNamedInOneList) {
    struct Case {
        const char* kind;
        QStringList names;
        const char* named;
    };
    const Case cases[] = {
        {"log files", {}, "log files"},
        {"log files", {"KVR6.003"}, "log files KVR6.003"},
        {"log files", {"KVR6.003", "KVR6003.raw"}, "log files KVR6.003 and KVR6003.raw"},
        {"tune maps", {"a.kvr", "b.kvr", "c.kvr"}, "tune maps a.kvr, b.kvr and c.kvr"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileProblem::Files(QString::fromLatin1(c.kind), c.names),
                  QString::fromLatin1(c.named));
}

TEST(FileProblem, AReportOfSeveralFilesIsToldInTheSameSentence) {
    const FileProblem::Report report{
        FileProblem::Files(QStringLiteral("log files"), {"KVR6.003", "KVR6003.raw"}),
        QStringLiteral("created"),
        QStringLiteral("KVR6.003: the disk is full"),
        QStringLiteral("Logging has not started."),
        QStringLiteral("Logging"),
        Dialogs::Icon::Critical};
    const QString text = QStringLiteral("The log files KVR6.003 and KVR6003.raw could not be "
                                        "created (KVR6.003: the disk is full). Logging has not "
                                        "started.");
    EXPECT_EQ(FileProblem::Text(report), text);
    Dialogs::ScriptedProvider dialogs;
    FileProblem::Tell(report);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].text, text);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Logging"));
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Critical);
    // Without a reason the brackets are left out.
    FileProblem::Report noReason = report;
    noReason.reason.clear();
    EXPECT_EQ(FileProblem::Text(noReason),
              QStringLiteral("The log files KVR6.003 and KVR6003.raw could not be created. "
                             "Logging has not started."));
}

} // namespace
