// The one ending of a whole-map load: the record, the kept mark, one redraw of
// the shown tab and a download only when asked while the unit answers.

#include "library/MapLoad.h"
#include "core/KeptImage.h"
#include "link/SendPath.h"
#include "mainwin/MainWindow.h"
#include "tests/library/LibraryTestSupport.h"

namespace {

struct RecordingMain : NoMainWindow {
    QStringList calls;
    void Redraw_Shown_Map() override { calls << QStringLiteral("redraw"); }
    void Show_Tune_File(const QString& fileName) override {
        calls << QStringLiteral("file ") + fileName;
    }
};

class MapLoadTest : public LibraryTest {
protected:
    MapLoadTest() {
        fillImage();
        Set_Main(&main);
    }
    ~MapLoadTest() override { Set_Main(nullptr); }
    RecordingMain main;
};

} // namespace

TEST_F(MapLoadTest, TheLoadedMapIsKeptNamedAndDrawnOnce) {
    TuneFileName = QStringLiteral("saved before.kvr");
    MapDirty = -1;
    KeptImage::Mark_Kept();
    Map5Image[3] = 77; // the map just read differs from what was kept
    ASSERT_TRUE(KeptImage::Has_Unkept_Edits());

    Library::Finish_Map_Load(QStringLiteral("Audi A4.kvr"), false);
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(MapDirty, 0);
    EXPECT_FALSE(KeptImage::Has_Unkept_Edits());
    EXPECT_EQ(TuneFileName, QStringLiteral("Audi A4.kvr"));
    EXPECT_EQ(main.calls, (QStringList{"redraw", "file Audi A4.kvr"}));
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);

    // A map that came from no library file leaves Save to ask for a name.
    main.calls.clear();
    Library::Finish_Map_Load(QString(), false);
    EXPECT_TRUE(TuneFileName.isEmpty());
    EXPECT_EQ(main.calls, (QStringList{"redraw", "file "}));
}

namespace {

struct DownloadCase {
    const QString* state;
    bool asked;
    int requests;
};

class DownloadsOnlyWhenAsked : public MapLoadTest,
                               public ::testing::WithParamInterface<DownloadCase> {};

} // namespace

TEST_P(DownloadsOnlyWhenAsked, WhileOnLine) {
    const DownloadCase& c = GetParam();
    OnlineState = *c.state;
    Library::Finish_Map_Load(QStringLiteral("a.kvr"), c.asked);
    EXPECT_EQ(SendPath::Requests_Outstanding(), c.requests)
        << c.state->toStdString() << " asked " << c.asked;
    // The full download writes the dealer's name into the owner text; the
    // read-out that ends it marks the image kept again.
    if (c.requests == 0) {
        EXPECT_FALSE(KeptImage::Has_Unkept_Edits());
    }
    EXPECT_EQ(MapLoaded, -1);
}

INSTANTIATE_TEST_SUITE_P(States, DownloadsOnlyWhenAsked,
                         ::testing::Values(DownloadCase{&OnlineStates::Online, true, 1},
                                           DownloadCase{&OnlineStates::Online, false, 0},
                                           DownloadCase{&OnlineStates::Offline, true, 0},
                                           DownloadCase{&OnlineStates::Online2, true, 0},
                                           DownloadCase{&OnlineStates::Offline, false, 0}),
                         [](const ::testing::TestParamInfo<DownloadCase>& info) {
                             return info.param.state->toStdString() +
                                    (info.param.asked ? "Asked" : "NotAsked");
                         });

TEST_F(MapLoadTest, APartLoadLeavesUnsavedEditsUnsaved) {
    KeptImage::Mark_Kept();
    Map5Image[3] = 77; // an edit nothing keeps
    Library::Finish_Map_Load(QString(), false, false);
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_TRUE(KeptImage::Has_Unkept_Edits());
}
