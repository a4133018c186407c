#include "core/MenuSetup.h"
#include "CoreTestSupport.h"

#include <QAction>
#include <QPushButton>
#include <tuple>

using WtsGeneral::MenuEntryState;
using WtsGeneral::Set_NoTune_Branding_Menus;

// Every combination of the No-Tune byte, the branding flag and the branding
// level, each from the start values.
class DealerFlags : public ::testing::Test,
                    protected FreshState,
                    public ::testing::WithParamInterface<std::tuple<int, int, int>> {};

TEST_P(DealerFlags, ChooseTheMenuEntries) {
    const MenuEntryState shown{true, {}, {}, {}};
    const MenuEntryState hidden{false, {}, {}, {}};
    const MenuEntryState withdrawn{false, false, {}, {}};
    const MenuEntryState untouched{};
    const MenuEntryState noTuneOffered{{}, true, false, QString("Set No-Tune ?")};
    const MenuEntryState brandingSet{{}, true, true, QString("Branding Set")};
    const MenuEntryState noTuneButton{true, {}, {}, QString("No-Tune OFF")};

    const auto [noTune, branding, adv] = GetParam();
    NoTuneFlag = noTune;
    BrandingFlag = branding;
    AdvBranding = adv; // the branding level chooses logos, not menus
    const auto m = Set_NoTune_Branding_Menus();
    const bool n = noTune == 170;
    const bool b = branding == 1;
    const std::string what = "NoTune " + std::to_string(noTune) + " Branding " +
                             std::to_string(branding) + " Adv " + std::to_string(adv);
    EXPECT_EQ(m.mnuline51, n || b ? shown : hidden) << what;
    EXPECT_EQ(m.mnuline52, n || b ? shown : hidden) << what;
    EXPECT_EQ(m.mnuLoadNotune, n ? noTuneOffered : withdrawn) << what;
    EXPECT_EQ(m.mnuLoadBranding, b ? brandingSet : withdrawn) << what;
    EXPECT_EQ(m.cmdNoTune, n ? noTuneButton : (b ? untouched : hidden)) << what;
    EXPECT_EQ(m.mnuLoadBrNT, withdrawn) << what;
}

INSTANTIATE_TEST_SUITE_P(Every, DealerFlags,
                         ::testing::Combine(::testing::Values(170, 171, 255, 0),
                                            ::testing::Values(0, 1, 2),
                                            ::testing::Values(0, 1, 2)));

TEST(MenuSetupTest, AppliedToRealEntries) {
    QAction separator;
    separator.setSeparator(true);
    QAction loadBranding("Load Branding");
    QPushButton noTune("No Tune OFF");
    noTune.show();

    auto m = WtsGeneral::NoTune_Branding_Menu_States(255, 1);
    WtsGeneral::Apply_Menu_Entry(separator, m.mnuline51);
    WtsGeneral::Apply_Menu_Entry(loadBranding, m.mnuLoadBranding);
    WtsGeneral::Apply_Menu_Entry(noTune, m.cmdNoTune);
    EXPECT_TRUE(separator.isVisible());
    EXPECT_TRUE(loadBranding.isChecked());
    EXPECT_TRUE(loadBranding.isEnabled());
    EXPECT_EQ(loadBranding.text(), "Branding Set");
    EXPECT_TRUE(noTune.isVisible()) << "the button stays as designed";
    EXPECT_EQ(noTune.text(), "No Tune OFF");

    m = WtsGeneral::NoTune_Branding_Menu_States(255, 0);
    WtsGeneral::Apply_Menu_Entry(separator, m.mnuline51);
    WtsGeneral::Apply_Menu_Entry(loadBranding, m.mnuLoadBranding);
    WtsGeneral::Apply_Menu_Entry(noTune, m.cmdNoTune);
    EXPECT_FALSE(separator.isVisible());
    EXPECT_FALSE(loadBranding.isVisible());
    EXPECT_FALSE(loadBranding.isEnabled());
    EXPECT_FALSE(noTune.isVisible());

    m = WtsGeneral::NoTune_Branding_Menu_States(170, 0);
    WtsGeneral::Apply_Menu_Entry(noTune, m.cmdNoTune);
    EXPECT_TRUE(noTune.isVisible());
    EXPECT_EQ(noTune.text(), "No-Tune OFF");
}
