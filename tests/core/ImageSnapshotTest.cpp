// One copy of the image, put back whole: every table and text a load or an
// edit changes comes back, and only the user's edits count as unkept.

#include "core/ImageSnapshot.h"
#include "core/CoreState.h"
#include "core/KeptImage.h"
#include "tests/core/CoreTestSupport.h"

#include <functional>

namespace {

struct Change {
    const char* what;
    std::function<void()> apply;
    bool isEdit; // counted by KeptImage as an edit that would be lost
};

const std::vector<Change>& Changes() {
    static const std::vector<Change> changes = {
        {"page 4", [] { ParamBlock[145] = 6; }, true},
        {"page 4 element 256", [] { ParamBlock[256] = 1; }, true},
        {"page 5", [] { Map5Image[17] = 99; }, true},
        {"page 6", [] { Map6Image[127] = 42; }, true},
        {"page 3", [] { Image3[3] = 3; }, false},
        {"AMP axis table", [] { AmpAxisTable[15] = 250; }, false},
        {"map id", [] { MapId = QStringLiteral("ID-7"); }, true},
        {"map description", [] { MapDscr = QStringLiteral("street"); }, true},
        {"wiring diagram", [] { WiringDiagramName = QStringLiteral("WD 12"); }, true},
        {"owner text", [] { UserName = QStringLiteral("Workshop"); }, true},
        {"test date", [] { TestDates[5] = QStringLiteral("01/02/03"); }, true},
        {"record make", [] { MapInfo.make = QStringLiteral("Make"); }, false},
        {"record file", [] { MapInfo.fileName = QStringLiteral("a.kvr"); }, false},
        {"lock mark", [] { NoTuneFlag = 170; }, false},
    };
    return changes;
}

class ImageSnapshotTest : public CoreTest {
protected:
    ImageSnapshotTest() {
        for (int i = 0; i < ImageTable::Size; ++i) {
            ParamBlock[i] = static_cast<std::int16_t>(i % 256);
            Map5Image[i] = static_cast<std::int16_t>((i * 3) % 256);
            Map6Image[i] = static_cast<std::int16_t>((i * 5) % 256);
            Image3[i] = static_cast<std::int16_t>((i * 7) % 256);
            AmpAxisTable[i] = static_cast<std::int16_t>((i * 11) % 256);
        }
        MapId = QStringLiteral("first");
        MapDscr = QStringLiteral("the map");
        UserName = QStringLiteral("owner");
        TestDates[0] = QStringLiteral("10/10/10");
        MapInfo.model = QStringLiteral("model");
        NoTuneFlag = 255;
    }
};

} // namespace

TEST_F(ImageSnapshotTest, EveryTableAndTextComesBackWhole) {
    for (const Change& change : Changes()) {
        const ImageSnapshot before = ImageSnapshot::Take();
        change.apply();
        EXPECT_FALSE(ImageSnapshot::Take() == before) << change.what << " is not in the snapshot";
        before.Restore();
        EXPECT_TRUE(ImageSnapshot::Take() == before) << change.what << " did not come back";
    }
    // All at once, as a refused load leaves them.
    const ImageSnapshot before = ImageSnapshot::Take();
    for (const Change& change : Changes())
        change.apply();
    before.Restore();
    EXPECT_EQ(ParamBlock[145], 145);
    EXPECT_EQ(ParamBlock[256], 0);
    EXPECT_EQ(Map6Image[127], (127 * 5) % 256);
    EXPECT_EQ(AmpAxisTable[15], (15 * 11) % 256);
    EXPECT_EQ(UserName, QStringLiteral("owner"));
    EXPECT_EQ(UnitOwnerText, QStringLiteral("owner")) << "the owner text is one variable";
    EXPECT_EQ(MapInfo.make, QString());
    EXPECT_EQ(NoTuneFlag, 255);
}

TEST_F(ImageSnapshotTest, OnlyTheUsersEditsAreUnkept) {
    EXPECT_FALSE(KeptImage::Has_Unkept_Edits()) << "nothing marked yet";
    for (const Change& change : Changes()) {
        const ImageSnapshot before = ImageSnapshot::Take();
        KeptImage::Mark_Kept();
        change.apply();
        EXPECT_EQ(KeptImage::Has_Unkept_Edits(), change.isEdit) << change.what;
        before.Restore();
        EXPECT_FALSE(KeptImage::Has_Unkept_Edits()) << change.what;
    }
}
