#include "core/ModeFile.h"
#include "CoreTestSupport.h"
#include "core/frmSplash.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using WtsGeneral::Read_Mode_File;
using WtsGeneral::Write_Mode_File;

namespace {
const QString Pad(20, ' ');
}

class ModeFileTest : public CoreTest {};

TEST_F(ModeFileTest, MissingFileIsCreatedWithTwoDefaultLines) {
    Read_Mode_File();
    EXPECT_EQ(folder.read("KVR6Mode.cfg"), QByteArray("Mode: Online" + Pad.toLatin1() +
                                                      "\r\nProduct: 1" + Pad.toLatin1() + "\r\n"));
    EXPECT_EQ(OnlineState, "Online");
    EXPECT_EQ(UnitName, "KVR6");
    EXPECT_EQ(ProductNumber, 1);
}

TEST_F(ModeFileTest, ParseCases) {
    const struct {
        QStringList lines;
        QString mode;
        QString unit;
        int product;
        int top;
        int left;
    } cases[] = {
        {{"Mode: Offline" + Pad, "Product: 1" + Pad, "PB Top: 1200" + Pad, "PB Left: 345" + Pad},
         "Offline",
         "KVR6",
         1,
         1200,
         345},
        {{"Mode: Offline" + Pad}, "Offline", "before", 7, 11, 22},
        {{"Mode: offline" + Pad, "Product: 1" + Pad}, "Online", "KVR6", 1, 11, 22},
        {{"Mode: Offline" + Pad, "Product: 2" + Pad}, "Offline", "before", 7, 11, 22},
        // A bad play-back position no longer hides the mode and the product.
        {{"Mode: Offline" + Pad, "Product: 1" + Pad, "PB Top: " + Pad, "PB Left: 5" + Pad},
         "Offline",
         "KVR6",
         1,
         11,
         5},
        {{"Mode: Offline" + Pad, "Product: 1" + Pad, "PB Top: abc" + Pad},
         "Offline",
         "KVR6",
         1,
         11,
         22},
        // A hand-edited file without the trailing blanks.
        {{"Mode: Offline", "Product: 1"}, "Offline", "KVR6", 1, 11, 22},
    };
    for (const auto& c : cases) {
        UnitName = "before";
        ProductNumber = 7;
        PbTop = 11;
        PbLeft = 22;
        folder.writeLines("KVR6Mode.cfg", c.lines);
        Read_Mode_File();
        const std::string what = c.lines.join("|").toStdString();
        EXPECT_EQ(OnlineState, c.mode) << what;
        EXPECT_EQ(UnitName, c.unit) << what;
        EXPECT_EQ(ProductNumber, c.product) << what;
        EXPECT_EQ(PbTop, c.top) << what;
        EXPECT_EQ(PbLeft, c.left) << what;
    }
}

TEST_F(ModeFileTest, WritesFourLinesExactly) {
    OnlineState = "Offline";
    ProductNumber = 1;
    PbTop = -15;
    PbLeft = 3000;
    Write_Mode_File();
    const QByteArray pad = Pad.toLatin1();
    EXPECT_EQ(folder.read("KVR6Mode.cfg"),
              QByteArray("Mode: Offline" + pad + "\r\nProduct: 1" + pad + "\r\nPB Top: -15" + pad +
                         "\r\nPB Left: 3000" + pad + "\r\n"));
    PbTop = 0;
    PbLeft = 0;
    Read_Mode_File();
    EXPECT_EQ(PbTop, -15);
    EXPECT_EQ(PbLeft, 3000);
}

TEST_F(ModeFileTest, FailedWriteIsTold) {
    qputenv("KVR6_HOME", (folder.path() + "/gone").toLocal8Bit());
    OnlineState = "Offline";
    EXPECT_FALSE(WtsGeneral::Write_Mode_File_Reporting());
    qputenv("KVR6_HOME", folder.path().toLocal8Bit());
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("KVR6Mode.cfg"));
}

TEST_F(ModeFileTest, SplashOffLineAndContinueSavesTheMode) {
    folder.writeLines("KVR6Mode.cfg", {"Mode: Online" + Pad, "Product: 1" + Pad});
    bool mainShown = false;
    frmSplash::ShowMainWindow = [&] { mainShown = true; };
    auto* splash = new frmSplash();
    splash->show();
    EXPECT_TRUE(splash->optOnline->isChecked());
    EXPECT_TRUE(splash->Timer_Type->isActive());
    QTest::mouseClick(splash->optOffline, Qt::LeftButton);
    QTest::mouseClick(splash->Command1, Qt::LeftButton);
    EXPECT_TRUE(mainShown);
    EXPECT_FALSE(splash->isVisible());
    const QByteArray text = folder.read("KVR6Mode.cfg");
    EXPECT_TRUE(text.startsWith("Mode: Offline" + Pad.toLatin1() + "\r\n")) << text.constData();
    delete splash;
    frmSplash::ShowMainWindow = nullptr;
}

TEST_F(ModeFileTest, SplashContinuesByItselfWithProductOne) {
    folder.writeLines("KVR6Mode.cfg", {"Mode: Offline" + Pad, "Product: 2" + Pad});
    int shown = 0;
    frmSplash::ShowMainWindow = [&] { ++shown; };
    frmSplash splash;
    EXPECT_TRUE(splash.optOffline->isChecked());
    EXPECT_EQ(UnitName, "");
    splash.Timer_Type_Timer();
    splash.Timer_Type_Timer(); // a second tick does not continue again
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(UnitName, "KVR6");
    EXPECT_TRUE(folder.read("KVR6Mode.cfg").contains("Product: 1 "));
    frmSplash::ShowMainWindow = nullptr;
}
