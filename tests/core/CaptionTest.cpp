#include "core/Caption.h"
#include "CoreTestSupport.h"

#include <QWidget>

using WtsGeneral::Form_Caption_Text;
using WtsGeneral::Set_Form_Caption;

class CaptionTest : public CoreTest {};

TEST_F(CaptionTest, EveryWindowOfTheTable) {
    const struct {
        const char* key;
        const char* caption;
    } cases[] = {
        {"frmMain", "KVR6 - 2D Maps   by  Dealer Co"},
        {"frmLoadLib", "KVR6 - Load Saved Tune Maps   by Dealer Co"},
        {"frmSetup", "KVR6 - Display Setup   by Dealer Co"},
        {"frmOptions", "KVR6 - Global Parameter Setup   by Dealer Co"},
        {"frmWiring", "KVR6 - Wiring Diagrams   by Dealer Co"},
        {"frmProgress", "KVR6Progress"},
        {"frmDisLibNames", "KVR6 - New Names   by Dealer Co"},
        {"frmScaleRPM", "KVR6 - RPM Scale   by Dealer Co"},
        {"frmScaleDeflect", "KVR6 - Deflection Scale   by Dealer Co"},
        {"frmContact", "KVR6 - Contact    by Dealer Co"},
        {"frmLibEdit", "KVR6 - Edit Map Files   by Dealer Co"},
        {"frm3DDrw", "KVR6 - 3D Display for Injection   by Dealer Co"},
        {"frmDosCMD", "KVR6 - Help on Dos Commands   by Dealer Co"},
        {"frmBackRest_R", "KVR6 - Restore saved map files   by Dealer Co"},
        {"frmBackRest_B", "KVR6 - Backup saved map files   by Dealer Co"},
        {"frmName", "KVR6 - Contact Deatils   by Dealer Co"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Form_Caption_Text(c.key, "Dealer Co", "Injection"), QString(c.caption)) << c.key;
    for (const char* key : {"frmWDLoad", "frmmain", "", "frmBackRest"})
        EXPECT_FALSE(Form_Caption_Text(key, "Dealer Co", "Fuel").has_value()) << key;
}

TEST_F(CaptionTest, OwnerIsTheUnitsNameElseTheDealerCompany) {
    DealerCompany = "Generic Tuning Dealer";
    QWidget main;
    Set_Form_Caption(main, "frmMain");
    EXPECT_EQ(main.windowTitle(), "KVR6 - 2D Maps   by  Generic Tuning Dealer");
    EXPECT_EQ(CaptionOwner, "Generic Tuning Dealer");
    EXPECT_EQ(CaptionProduct, "KVR6");

    UserName = "Owner From Unit";
    EXPECT_EQ(UnitOwnerText, "Owner From Unit") << "one variable under both names";
    Set_Form_Caption(main, "frmMain");
    EXPECT_EQ(main.windowTitle(), "KVR6 - 2D Maps   by  Owner From Unit");

    QWidget progress;
    Set_Form_Caption(progress, "frmProgress");
    EXPECT_EQ(progress.windowTitle(), "KVR6Progress");

    GraphTitle = "Fuel";
    QWidget view;
    Set_Form_Caption(view, "frm3DDrw");
    EXPECT_EQ(view.windowTitle(), "KVR6 - 3D Display for Fuel   by Owner From Unit");
}

TEST_F(CaptionTest, WindowWithoutAnEntryKeepsItsCaption) {
    QWidget wd;
    wd.setWindowTitle("Wiring Diagram Maps");
    Set_Form_Caption(wd, "frmWDLoad");
    EXPECT_EQ(wd.windowTitle(), "Wiring Diagram Maps");
}
