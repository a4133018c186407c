// The sample tune maps the program folder starts with.

#include "LibraryTestSupport.h"

#include "library/LibraryScan.h"

#include <QDir>

TEST_F(LibraryTest, TheSampleTuneMapsAreListedAndLoadWhole) {
    const QStringList names = QDir(TempProgramFolder::sourceDir() + QStringLiteral("/data"))
                                  .entryList({QStringLiteral("*.kvr")}, QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString& name : names)
        folder.copyData(name);
    QStringList notes;
    const auto entries = TuneMap::Scan_Library(&notes);
    EXPECT_EQ(entries.size(), static_cast<std::size_t>(names.size()));
    EXPECT_TRUE(notes.isEmpty()) << notes.join('|');
    for (const TuneMap::LibraryEntry& e : entries) {
        EXPECT_FALSE(TuneMap::Column_Text(e, TuneMap::ColMake).isEmpty()) << e.fileName;
        EXPECT_EQ(TuneMap::Column_Text(e, TuneMap::ColFileName), e.fileName);
        const TuneMap::LoadResult r = TuneMap::Load_Tune_Map(e.fileName);
        EXPECT_TRUE(r.ok() && r.mapsLine) << e.fileName;
        EXPECT_EQ(r.rows.applied, 35) << e.fileName;
        EXPECT_EQ(MapInfo.fileName, e.fileName);
    }
}
