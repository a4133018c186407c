#include "tests/support/ResetAllState.h"
#include "backup/BackupState.h"
#include "backup/Entries.h"
#include "contact/ContactState.h"
#include "contact/Entries.h"
#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "core/DealerSettings.h"
#include "library/Entries.h"
#include "library/LibraryState.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LiveLog.h"
#include "link/PlaybackModel.h"
#include "link/ProgressModel.h"
#include "link/frmDosCMD.h"
#include "link/frmProgress.h"
#include "mainwin/MainState.h"
#include "mainwin/MainWindow.h"
#include "platform/FormInstance.h"
#include "platform/StateReset.h"
#include "setup/Entries.h"
#include "setup/SetupState.h"
#include "setup/frmOptions.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/TempProgramFolder.h"
#include "view3d/Entries.h"
#include "view3d/View3dState.h"
#include "wiring/Entries.h"
#include "wiring/WiringPdf.h"
#include "wiring/WiringState.h"

#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>

namespace {

struct CountingMain : NoMainWindow {
    int redraws = 0;
    void Redraw_Shown_Map() override { ++redraws; }
};

class ResetAllStateTest : public ::testing::Test, protected FreshState {};

// A window kind and the way the user opens it from the main window.
struct WindowCase {
    std::string kind; // the window's class
    std::function<void(frmMain&)> open;
};
void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.kind;
}

void choose(QAction* entry) {
    EXPECT_TRUE(entry->isEnabled()) << entry->objectName().toStdString();
    entry->trigger();
}

void click(QWidget* widget) {
    EXPECT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Every window of the program but the main window itself (the fixture's own),
// each through its menu entry, button or logo.
std::vector<WindowCase> windowCases() {
    return {
        // The progress window follows the model the link drives.
        {"frmProgress", [](frmMain&) { Progress().Show(); }},
        {"frmDosCMD", [](frmMain& w) { choose(w.mnuDosHelp); }},
        {"frmPBStation", [](frmMain& w) { choose(w.mnuPBScreen); }},
        {"frmLoadLib", [](frmMain& w) { choose(w.mnuLoadLib); }},
        {"frmLibEdit",
         [](frmMain& w) {
             TuneFileName = QStringLiteral("Current.kvr"); // saved without a dialog
             choose(w.mnuSave);
         }},
        {"frmDisLibNames", [](frmMain& w) { choose(w.mnuChangeNames); }},
        {"frmName", [](frmMain& w) { click(w.PicLogo[1]); }},
        {"frmContact", [](frmMain& w) { choose(w.mnuContact); }},
        {"frmBackRest", [](frmMain& w) { choose(w.mnuBackup); }},
        {"frmWDLoad", [](frmMain& w) { choose(w.mnuLoadWD); }},
        {"frmWiring", [](frmMain& w) { choose(w.mnuWire); }},
        {"frmOptions", [](frmMain& w) { choose(w.mnuGlobal); }},
        {"frmScaleRPM", [](frmMain& w) { choose(w.mnuRpm); }},
        {"frmScaleDeflect", [](frmMain& w) { choose(w.mnuAnalog); }},
        {"frmSetup", [](frmMain& w) { click(w.cmdSetDisplay); }},
        {"frm3DDrw", [](frmMain& w) { choose(w.mnu3DFuel); }},
    };
}

// The kind as the reset knows it, if a window of it was ever made.
std::optional<StateReset::WindowKind> known(const std::string& kind) {
    for (const StateReset::WindowKind& k : StateReset::Windows())
        if (kind == k.name)
            return k;
    return std::nullopt;
}

QStringList loadedWindows() {
    QStringList names;
    for (const StateReset::WindowKind& k : StateReset::Windows())
        if (k.loaded())
            names << QString::fromLatin1(k.name);
    return names;
}

// The main window with every folder's entries wired, in a program folder with
// the make and type lists, the wiring diagrams and a dealer with a logo of his
// own, and a backup drive of its own.
class EveryWindowTest : public GridTest, public ::testing::WithParamInterface<WindowCase> {
protected:
    EveryWindowTest() {
        folder.copyData(QStringLiteral("KVR6Make.cfg"));
        folder.copyData(QStringLiteral("KVR6Type.cfg"));
        folder.copyData(Wiring::WiringFile);
        folder.copyData(QStringLiteral("KVRWD.cfg"));
        folder.writeLines(QStringLiteral("kvrDealer.cfg"),
                          {"KAVRO TUNER KVR6 Dealer Settings", "",
                           "Company Id(32): Fast Lane Motors", "Owner Name(24): Sam Spanner",
                           "Phone Number: 011 555 0100", "Fax Number: 011 555 0101",
                           "E-mail: shop@fastlane.example", "Web: www.fastlane.example", "",
                           "No Tune y/n: n", "Branding y/n: y", "Adv branding: 1", "",
                           "Adv Branding: 0 = maker logo, 1 or 2 = dealer logo", "Port=1",
                           "CommSpeed=100"});
        WtsGeneral::Read_Dealer_Settings();
        qputenv("KVR6_DRIVE_A", drive.path().toLocal8Bit());
    }
    ~EveryWindowTest() override { qunsetenv("KVR6_DRIVE_A"); }
    frmMain& openWired() {
        frmMain& w = open();
        Library::Wire_Entries(w);
        Contact::Wire_Entries(w);
        Wiring::Wire_Entries(w);
        Backup::Wire_Entries(w);
        Setup::Wire_Entries(w);
        View3D::Wire_Entries(w);
        return w;
    }
    QTemporaryDir drive;
};

} // namespace

// What one test leaves behind (a play-back, a recording, hooks, a main window,
// open windows, changed start values) is gone for the next.
TEST_F(ResetAllStateTest, NothingOfAnEarlierTestRemains) {
    TempProgramFolder folder;
    Playback().Set_Records(folder.file(QStringLiteral("a.raw")), {QStringLiteral("10:00:00 ,49")});
    Playback().setPlayingButtons(true);
    Playback().setHold(4);
    QString error;
    ASSERT_TRUE(LiveLogs().open(folder.file(QStringLiteral("KVR6.001")),
                                folder.file(QStringLiteral("KVR6001.raw")), &error));
    int labels = 0;
    Hooks().SetLabel = [&labels](LinkLabel, const QString&) { ++labels; };
    CountingMain main;
    Set_Main(&main);
    Progress().Show();
    frmProgress::Follow_Model();
    FormInstance<frmDosCMD>::get().show();
    MapTab = 3;
    cfg_CommSpeed = 20;
    PlaybackSpeed = 1;
    CommStatus = CommStates::Sending;
    SendPending = SendPortFailed;

    ResetAllState();

    EXPECT_EQ(MapTab, 1);
    EXPECT_EQ(cfg_CommSpeed, 100);
    EXPECT_EQ(cfg_CommPort, 1);
    EXPECT_EQ(PlaybackSpeed, 10);
    EXPECT_EQ(CommStatus, CommStates::Connect);
    EXPECT_EQ(SendPending, SendIdle);
    EXPECT_EQ(WdTable.size(), 1u);
    EXPECT_EQ(Playback().count(), 0);
    EXPECT_FALSE(Playback().runEnabled() || Playback().pauseEnabled() || Playback().stopEnabled());
    EXPECT_EQ(Playback().hold(), 0);
    EXPECT_FALSE(LiveLogs().isOpen());
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.001")), "End\r\n") << "closed with its end line";
    Hooks().SetLabel(LinkLabel::lblComm, QStringLiteral("x"));
    EXPECT_EQ(labels, 0);
    Main().Redraw_Shown_Map();
    EXPECT_EQ(main.redraws, 0);
    EXPECT_FALSE(Progress().loaded());
    EXPECT_FALSE(FormInstance<frmProgress>::loaded());
    EXPECT_FALSE(FormInstance<frmDosCMD>::loaded());
}

// Each window opened as the user opens it, and every folder's state changed:
// the reset unloads the window and puts every folder's state back, though
// nothing names either to it.
TEST_P(EveryWindowTest, TheResetUnloadsItAndPutsEveryFolderBack) {
    frmMain& w = openWired();
    const WindowCase& c = GetParam();
    c.open(w);
    const std::optional<StateReset::WindowKind> kind = known(c.kind);
    ASSERT_TRUE(kind.has_value()) << "no window made";
    ASSERT_TRUE(kind->loaded()) << "the window did not open";
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();

    MapTab = 3;                           // core
    cfg_CommSpeed = 20;                   // core
    CommStatus = CommStates::Sending;     // link
    SendPending = SendPortFailed;         // link
    SelCell = 5;                          // mainwin
    SaveKind = 2;                         // library
    LibEditMode = 2;                      // library
    SelLibFile = QStringLiteral("a.kvr"); // library
    Contact::ExportList.resize(2);        // contact
    Wiring::WdSelected = 3;               // wiring
    BackRestMode = 1;                     // backup
    ScaleBarHeight = 1;                   // setup
    MapKind = QStringLiteral("Analog:");  // view3d

    ResetAllState();

    EXPECT_FALSE(kind->loaded());
    EXPECT_TRUE(loadedWindows().isEmpty()) << loadedWindows().join(' ').toStdString();
    EXPECT_NE(&Main(), static_cast<MainWindow*>(&w)) << "the main window is let go";
    EXPECT_EQ(MapTab, 1);
    EXPECT_EQ(cfg_CommSpeed, 100);
    EXPECT_EQ(CommStatus, CommStates::Connect);
    EXPECT_EQ(SendPending, SendIdle);
    EXPECT_EQ(SelCell, 0);
    EXPECT_EQ(SaveKind, 0);
    EXPECT_EQ(LibEditMode, 0);
    EXPECT_TRUE(SelLibFile.isEmpty());
    EXPECT_TRUE(Contact::ExportList.empty());
    EXPECT_EQ(Wiring::WdSelected, 0);
    EXPECT_EQ(BackRestMode, 0);
    EXPECT_EQ(ScaleBarHeight, 3420);
    EXPECT_TRUE(MapKind.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Every, EveryWindowTest, ::testing::ValuesIn(windowCases()),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return info.param.kind;
                         });

// Two windows open at once: the upper folder's goes first, though it was opened
// first, so no window of a lower folder is gone under one that may use it.
TEST_F(EveryWindowTest, TheUpperFoldersWindowsGoFirst) {
    frmMain& w = openWired();
    choose(w.mnuGlobal); // the global settings: setup/
    Progress().Show();   // the progress window: link/, in front of it
    ASSERT_TRUE(FormInstance<frmOptions>::loaded());
    ASSERT_TRUE(FormInstance<frmProgress>::loaded());
    QStringList gone;
    QObject::connect(&FormInstance<frmOptions>::get(), &QObject::destroyed,
                     [&] { gone << QStringLiteral("frmOptions"); });
    QObject::connect(&FormInstance<frmProgress>::get(), &QObject::destroyed,
                     [&] { gone << QStringLiteral("frmProgress"); });

    ResetAllState();

    EXPECT_EQ(gone, (QStringList{"frmOptions", "frmProgress"}));
}

// The table above holds every window kind of the program: a window added to the
// program and left out of it fails here. A kind is a class that names its floor
// for FormInstance (every window must) or a FormInstance<...> of the sources.
TEST(EveryWindow, TheTableHoldsEveryWindowKind) {
    const QString root = TempProgramFolder::sourceDir();
    static const QRegularExpression use(QStringLiteral(R"(FormInstance<(\w+)>)"));
    static const QRegularExpression declared(QStringLiteral(R"(^class (\w+)\b)"));
    std::set<std::string> inSource;
    for (const char* folder : {"platform", "core", "link", "mainwin", "library", "contact",
                               "wiring", "backup", "setup", "view3d"}) {
        QDirIterator it(root + '/' + QLatin1String(folder),
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            QString lastClass;
            for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
                const QRegularExpressionMatch c = declared.match(line);
                if (c.hasMatch())
                    lastClass = c.captured(1);
                if (line.contains(QLatin1String("static constexpr Floor HomeFloor")))
                    inSource.insert(lastClass.toStdString());
                auto found = use.globalMatch(line);
                while (found.hasNext())
                    inSource.insert(found.next().captured(1).toStdString());
            }
        }
    }
    ASSERT_TRUE(inSource.count("frmLoadLib")) << root.toStdString();
    inSource.erase("T");       // FormInstance's own
    inSource.erase("frmMain"); // the fixture's own main window
    std::set<std::string> inTable;
    for (const WindowCase& c : windowCases())
        inTable.insert(c.kind);
    EXPECT_EQ(inTable, inSource);
}
