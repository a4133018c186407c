// The 3-D view window through the main window's menu entries: what it shows for
// each map, its sliders moved by keys, the settings files it reads at opening
// and writes at closing, and its three ways of closing.

#include "tests/support/FileSizeLimit.h"
#include "tests/support/NoPermissionOverride.h"
#include "tests/view3d/View3dTestSupport.h"
#include "view3d/Settings3D.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTabBar>

using namespace View3D;

namespace {

class ViewWindow : public ViewWindowTest {
protected:
    QByteArray settings() const { return folder.read(SettingsFile); }
};

TEST_F(ViewWindow, EachEntryShowsItsMapAndClosingReturnsTheMainWindowToIt) {
    struct Case {
        QAction* frmMain::*entry;
        const char* entryCaption;
        const char* kind;
        const char* title;
        int tab;
    };
    const Case cases[] = {
        {&frmMain::mnu3DFuel, "Fuel Graph", "Analog:", "Fuel", 1},
        {&frmMain::mnu3DIgn, "Injection Graph", "Injection:", "Injection", 2},
        {&frmMain::mnu3DLambda, "Ignition Graph", "Ignition:", "Ignition", 3},
    };
    frmMain& w = openWired();
    for (const Case& c : cases) {
        QAction* entry = w.*c.entry;
        EXPECT_EQ(entry->text(), QString::fromLatin1(c.entryCaption));
        EXPECT_TRUE(entry->isEnabled()) << c.entryCaption;
        w.Select_Tab(c.tab == 1 ? 3 : 1); // another map is shown before
        frm3DDrw& v = openView(w, entry);
        EXPECT_EQ(MapKind, QString::fromLatin1(c.kind));
        EXPECT_EQ(v.Frame1->title(), QString::fromLatin1(c.title));
        EXPECT_EQ(v.windowTitle(), QStringLiteral("KVR6 - 3D Display for ") +
                                       QString::fromLatin1(c.title) +
                                       QStringLiteral("   by Fast Lane Motors"));
        const QStringList captions{"Analog Up",      "Analog Down", "Injection Up",
                                   "Injection Down", "Ignition Up", "Ignition Down"};
        const std::array<QAction*, 6> steps{v.mnuF4, v.mnuF5, v.mnuF6, v.mnuF7, v.mnuF8, v.mnuF9};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(steps[static_cast<std::size_t>(k)]->text(), captions[k]);
        EXPECT_TRUE(v.Option5->isChecked()) << "Adjust point only at start";
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(v.Shown().labels[static_cast<std::size_t>(i)], w.lblrpm[i]->text()) << i;
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(v.Shown().labels[static_cast<std::size_t>(16 + i)], w.lblDef[i]->text());
        EXPECT_EQ(v.Shown().labels[24], QStringLiteral("RPM"));
        v.close(); // the close box
        ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
        EXPECT_EQ(w.TabStrip1->currentIndex() + 1, c.tab) << c.kind;
        EXPECT_EQ(w.Shown_Tab(), c.tab);
    }
}

TEST_F(ViewWindow, SlidersMovedByKeysSetTheirViewValues) {
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DFuel);
    EXPECT_EQ(ColStepX, 410);
    v.Slider1->setFocus();
    QTest::keyClick(v.Slider1, Qt::Key_Right); // Twist 4010
    QTest::keyClick(v.Slider1, Qt::Key_Left);  // and back to 4000
    EXPECT_EQ(v.Slider1->value(), 4000);
    EXPECT_EQ(ColStepX, 500) << "Twist sets the column step too";
    EXPECT_EQ(RowStepY, 312);
    QTest::keyClick(v.Slider5, Qt::Key_Right); // Width 3289
    QTest::keyClick(v.Slider5, Qt::Key_Left);  // 3279
    EXPECT_EQ(ColStepX, 410);
    EXPECT_EQ(NodeX[0][7], 300 + 7 * 410);

    QTest::keyClick(v.Slider6, Qt::Key_PageUp); // Amplitude + 2
    EXPECT_EQ(Amplitude, 7);
    QTest::keyClick(v.Slider4, Qt::Key_Home); // Move Top to its minimum
    EXPECT_EQ(v.Slider4->value(), 0);
    EXPECT_EQ(RowStepX, 0);
    EXPECT_EQ(NodeX[15][0], 300) << "at 0 the step is read again from the slider";
    QTest::keyClick(v.Slider4, Qt::Key_Right);
    EXPECT_EQ(RowStepX, 10);
    const int before = NodeY[0][0];
    QTest::keyClick(v.Slider2, Qt::Key_PageUp); // Height + 50
    EXPECT_EQ(NodeY[0][0], before + 50);

    // The view values outlive the window; the positions start again.
    v.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    frm3DDrw& again = openView(w, w.mnu3DIgn);
    EXPECT_EQ(again.Slider6->value(), 5);
    EXPECT_EQ(Amplitude, 7);
    EXPECT_EQ(RowStepX, 10);
}

TEST_F(ViewWindow, ChoosingAnAdjustModeMovesNothing) {
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DFuel);
    const NodeArray x = NodeX, y = NodeY;
    QTest::mouseClick(v.Option3, Qt::LeftButton);
    EXPECT_TRUE(v.Option3->isChecked());
    EXPECT_EQ(NodeX, x);
    EXPECT_EQ(NodeY, y);
}

TEST_F(ViewWindow, AClosingWithoutChangeLeavesTheSettingsFileAsItWas) {
    // A file in another layout: LF line ends, extra text, numbers padded otherwise.
    const QByteArray file = "my settings\n"
                            "Analog:\n"
                            ",Ampl ,-20   ,20    ,1     ,2     ,4     ,0     \n"
                            ",Hght ,300   ,6000  ,10    ,50    ,400   ,0     \n"
                            ",Width,1     ,5000  ,10    ,100   ,500   ,0     \n"
                            ",Top  ,0     ,500   ,10    ,50    ,50    ,0     \n"
                            ",Bottm,-500  ,350   ,10    ,100   ,100   ,0     \n"
                            ",Twist,1     ,5000  ,10    ,100   ,500   ,0     \n"
                            "END\n"
                            "Injection:\n"
                            ",x,  007,5000,1,2,3,4\n"
                            "END\n";
    folder.write(SettingsFile, file);
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DFuel);
    QTest::keyClick(v.Slider1, Qt::Key_Right); // a position is never stored
    v.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    EXPECT_EQ(settings(), file);
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ViewWindow, AHandEditedSectionSetsTheSlidersAndDefaultSettingsPutsBackTheDefaults) {
    QStringList lines{QStringLiteral("title"), QStringLiteral("Injection:")};
    lines << Data_Line("Amp", {-10, 10, 1, 2, 5, 0}) << Data_Line("H", {100, 3000, 5, 25, 200, 3})
          << Data_Line("W", {1, 4000, 10, 100, 500, 0})
          << QStringLiteral(",Top  ,0     ,5x0   ,10    ,50    ,50    ,0     ")
          << Data_Line("B", {-400, 300, 10, 100, 100, 0})
          << Data_Line("T", {1, 4500, 10, 100, 500, 0}) << QStringLiteral("END");
    folder.writeLines(SettingsFile, lines);
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    EXPECT_EQ(v.Slider6->minimum(), -10);
    EXPECT_EQ(v.Slider6->tickInterval(), 5);
    EXPECT_EQ(v.Slider2->singleStep(), 5);
    EXPECT_EQ(v.Slider2->pageStep(), 25);
    EXPECT_EQ(v.Slider5->maximum(), 4000);
    // The line with a letter in a number is skipped alone: its slider keeps its
    // own settings, the lines after it are read.
    EXPECT_EQ(v.Slider4->maximum(), 500);
    EXPECT_EQ(v.Slider7->minimum(), -400);
    EXPECT_EQ(v.Slider1->maximum(), 4500);
    EXPECT_EQ(v.Status_Text(),
              QStringLiteral("KVR63DDraw.cfg: line 6 skipped, its Max \"5x0\" is no whole number. "
                             "That slider keeps its settings."));

    // Default Settings: the default file's settings, and the view values from
    // the sliders where they stand.
    Amplitude = 9;
    QTest::keyClick(v.Slider4, Qt::Key_Right); // Move Top 286
    v.MenuBar->setFocus();
    v.mnuDefault->trigger();
    EXPECT_EQ(v.Slider6->minimum(), -20);
    EXPECT_EQ(v.Slider2->singleStep(), 10);
    EXPECT_EQ(Amplitude, 5);
    EXPECT_EQ(RowStepX, 286);
    v.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    // Every row but the skipped one changed; that line stays as the user wrote it.
    QStringList expected{QStringLiteral("title"), QStringLiteral("Injection:")};
    for (const SettingRow& r : Built_In_Rows())
        expected << Data_Line(r.label, r.setting);
    expected[5] = lines[5];
    expected << QStringLiteral("END");
    EXPECT_EQ(settings(),
              (expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
}

TEST_F(ViewWindow, AnUnusableLineIsSkippedAloneAndTheCloseKeepsEveryLineTheUserWrote) {
    // Hand-written lines in their own spacing; row 1 lacks its Max, and a
    // seventh data line stands before the end.
    const QByteArray file = "my settings\r\n"
                            "Injection:\r\n"
                            ",Amp,-10,,1,2,5,0\r\n"
                            ",Hgt , 100, 3000, 5, 25, 200, 3\r\n"
                            ",Wdth,1,4000,10,100,500,0\r\n"
                            ",Top,0,450,10,50,50,0\r\n"
                            ",Bot,-400,300,10,100,100,0\r\n"
                            ",Tw,1,4500,10,100,500,0\r\n"
                            ",more,1,2,3,4,5,6\r\n"
                            "END\r\n";
    folder.write(SettingsFile, file);
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    EXPECT_EQ(v.Slider6->minimum(), -20) << "the line without a Max is skipped";
    EXPECT_EQ(v.Slider6->maximum(), 20);
    // Every valid line after it is read.
    EXPECT_EQ(v.Slider2->minimum(), 100);
    EXPECT_EQ(v.Slider2->pageStep(), 25);
    EXPECT_EQ(v.Slider5->maximum(), 4000);
    EXPECT_EQ(v.Slider4->maximum(), 450);
    EXPECT_EQ(v.Slider7->minimum(), -400);
    EXPECT_EQ(v.Slider1->maximum(), 4500);
    const QString told = v.Status_Text();
    EXPECT_TRUE(told.contains(QStringLiteral("line 3")) && told.contains(QStringLiteral("Max")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("line 9")) &&
                told.contains(QStringLiteral("too many")))
        << told.toStdString();
    EXPECT_FALSE(told.contains(QStringLiteral("line 4"))) << told.toStdString();
    EXPECT_TRUE(v.grab().save(Screenshot_Path(QStringLiteral("view3d_settings_skipped.png"))));
    v.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    EXPECT_EQ(settings(), file) << "nothing changed: every line stays as written";

    // Default Settings changes rows 2..6; only those lines are written anew, each
    // ended as the file ends its lines. The line the view could not use gave its
    // slider the settings the default file has too: it stays as the user wrote it.
    frm3DDrw& again = openView(w, w.mnu3DIgn);
    again.mnuDefault->trigger();
    again.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    QByteArray expected = "my settings\r\nInjection:\r\n,Amp,-10,,1,2,5,0\r\n";
    for (std::size_t r = 1; r < 6; ++r)
        expected +=
            Data_Line(Built_In_Rows()[r].label, Built_In_Rows()[r].setting).toLatin1() + "\r\n";
    expected += ",more,1,2,3,4,5,6\r\nEND\r\n";
    EXPECT_EQ(settings(), expected);
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ViewWindow, ASectionWithoutItsEndLineNeverReachesTheNextSection) {
    // The analog section has lost its END line and two of its lines.
    QStringList lines{QStringLiteral("Analog:")};
    lines << Data_Line("A", {-10, 10, 1, 2, 4, 0}) << Data_Line("H", {300, 5000, 10, 50, 400, 0})
          << Data_Line("W", {1, 4000, 10, 100, 500, 0}) << Data_Line("T", {0, 400, 10, 50, 50, 0});
    lines << QStringLiteral("Injection:") << Data_Line("Ai", {-15, 15, 1, 3, 5, 0})
          << Data_Line("Hi", {200, 5500, 10, 50, 400, 0})
          << Data_Line("Wi", {1, 3000, 10, 100, 500, 0}) << Data_Line("Ti", {0, 300, 10, 50, 50, 0})
          << Data_Line("Bi", {-300, 300, 10, 100, 100, 0})
          << Data_Line("Xi", {1, 3500, 10, 100, 500, 0}) << QStringLiteral("END");
    folder.writeLines(SettingsFile, lines);
    const QByteArray before = settings();
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DFuel);
    EXPECT_EQ(v.Slider4->maximum(), 400) << "the analog section's own lines are read";
    EXPECT_EQ(v.Slider7->minimum(), -500) << "the next section's lines are not the analog's";
    EXPECT_EQ(v.Slider1->maximum(), 5000);
    EXPECT_TRUE(v.Status_Text().contains(QStringLiteral("END"))) << v.Status_Text().toStdString();
    v.mnuDefault->trigger(); // the close has rows to write
    v.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    const QString after = QString::fromLatin1(settings());
    EXPECT_TRUE(after.endsWith(QString::fromLatin1(before.mid(before.indexOf("Injection:")))))
        << after.toStdString();
    frm3DDrw& injection = openView(w, w.mnu3DIgn);
    EXPECT_EQ(injection.Slider6->minimum(), -15);
    EXPECT_EQ(injection.Slider7->minimum(), -300);
    EXPECT_EQ(injection.Slider1->maximum(), 3500);
    injection.close();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
}

TEST_F(ViewWindow, ASectionOfManySpoiledLinesNamesTheFirstFewAndCountsTheRest) {
    // The ignition section lost its END line to a run of spoiled lines; its
    // first two lines are good ones.
    constexpr int Spoiled = 200000;
    QByteArray file = "KVR6 3D view settings\r\nInjection:\r\n";
    file += Data_Line("A", {-15, 15, 1, 3, 5, 0}).toLatin1() + "\r\n";
    file += Data_Line("H", {200, 5500, 10, 50, 400, 0}).toLatin1() + "\r\n";
    for (int i = 0; i < Spoiled; ++i)
        file += ",x,1,y,3,4,5,6\r\n";
    folder.write(SettingsFile, file);
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    EXPECT_EQ(v.Slider6->minimum(), -15) << "the good lines are read";
    EXPECT_EQ(v.Slider2->maximum(), 5500);
    EXPECT_EQ(v.Slider5->maximum(), Built_In_Rows()[2].setting.max)
        << "a slider whose line is spoiled keeps its settings";
    const QString told = v.Status_Text();
    const QString firstFive = QStringLiteral(
        "line 5 skipped, its Max \"y\" is no whole number; line 6 skipped, its Max \"y\" is "
        "no whole number; line 7 skipped, its Max \"y\" is no whole number; line 8 skipped, "
        "its Max \"y\" is no whole number; line 9 skipped, one slider line too many");
    EXPECT_EQ(told, QStringLiteral("KVR63DDraw.cfg: ") + firstFive +
                        QStringLiteral("; %1 more lines skipped; the Injection: section of line "
                                       "2 has no END line, it ends with the file. Those sliders "
                                       "keep their settings.")
                            .arg(Spoiled - 5))
        << told.left(2000).toStdString();
    EXPECT_TRUE(v.grab().save(Screenshot_Path(QStringLiteral("view3d_settings_many_skipped.png"))));
    v.mnuClose->trigger();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    EXPECT_EQ(folder.read(SettingsFile), file) << "nothing changed: the file stays as it was";
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ViewWindow, ASettingsFileThatCannotBeReadIsToldOnceAndLeftAsItIs) {
    struct Case {
        const char* what;
        bool folderInItsPlace;
    };
    // Default settings that differ, so that the close has rows to write.
    QStringList defaults{QStringLiteral("Analog:")};
    for (int r = 0; r < 6; ++r)
        defaults << Data_Line("d", {0, 200 + r, 1, 2, 3, 0});
    defaults << QStringLiteral("END");
    folder.writeLines(DefaultSettingsFile, defaults);
    for (const Case c : {Case{"no read permission", false}, Case{"a folder in its place", true}}) {
        QFile::remove(folder.file(SettingsFile));
        QDir(folder.file(SettingsFile)).removeRecursively();
        QStringList lines{QStringLiteral("Analog:")};
        for (int r = 0; r < 6; ++r)
            lines << Data_Line("x", {0, 100 + r, 1, 2, 3, 0});
        lines << QStringLiteral("END");
        if (c.folderInItsPlace)
            ASSERT_TRUE(QDir(folder.path()).mkdir(SettingsFile));
        else {
            folder.writeLines(SettingsFile, lines);
            ASSERT_TRUE(QFile::setPermissions(folder.file(SettingsFile), QFile::WriteOwner));
        }
        dialogs.clear();
        frmMain& w = window != nullptr ? *window : openWired();
        w.Select_Tab(2);
        {
            NoPermissionOverride asAnyUser;
            ASSERT_TRUE(asAnyUser.active());
            frm3DDrw& v = openView(w, w.mnu3DFuel);
            EXPECT_EQ(v.Slider2->maximum(), 6000) << c.what << ": the sliders' own settings";
            v.mnuDefault->trigger();
            EXPECT_EQ(v.Slider2->maximum(), 201);
            v.mnuClose->trigger();
            ASSERT_TRUE(Wait_Unloaded<frm3DDrw>()) << c.what;
        }
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        const QString text = dialogs.records()[0].text;
        EXPECT_TRUE(text.startsWith(
            QStringLiteral("The 3D view settings file KVR63DDraw.cfg could not be read (")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("left as it is"))) << text.toStdString();
        EXPECT_EQ(w.Shown_Tab(), 1) << c.what << ": the program goes on";
        if (c.folderInItsPlace) {
            EXPECT_TRUE(QFileInfo(folder.file(SettingsFile)).isDir());
        } else {
            QFile::setPermissions(folder.file(SettingsFile), QFile::ReadOwner | QFile::WriteOwner);
            EXPECT_EQ(settings(),
                      (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1())
                << c.what;
        }
    }
}

TEST_F(ViewWindow, AMissingSettingsFileIsCreatedFromTheSlidersOwnSettings) {
    QFile::remove(folder.file(SettingsFile));
    QFile::remove(folder.file(DefaultSettingsFile));
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DLambda);
    EXPECT_EQ(settings(), Built_In_File().toLatin1());
    EXPECT_EQ(v.Slider2->maximum(), 6000);
    v.mnuDefault->trigger(); // no default file: the sliders' own settings
    EXPECT_EQ(v.Slider2->maximum(), 6000);
    EXPECT_FALSE(folder.exists(DefaultSettingsFile)) << "the default file is never written";
    v.close();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    EXPECT_EQ(settings(), Built_In_File().toLatin1());
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ViewWindow, ASettingsFileThatCannotBeWrittenIsToldAndTheWindowStillCloses) {
    QStringList lines{QStringLiteral("Analog:")};
    for (int r = 0; r < 6; ++r)
        lines << Data_Line("x", {0, 100 + r, 1, 2, 3, 0});
    lines << QStringLiteral("END");
    folder.writeLines(SettingsFile, lines);
    const QByteArray before = settings();
    frmMain& w = openWired();
    frm3DDrw& v = openView(w, w.mnu3DFuel);
    v.mnuDefault->trigger(); // the closing has something to write
    {
        FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        v.mnuClose->trigger();
        ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    }
    EXPECT_EQ(settings(), before) << "a failed save leaves the file as it was";
    ASSERT_EQ(dialogs.records().size(), 1u);
    const auto& told = dialogs.records()[0];
    EXPECT_TRUE(told.text.startsWith(
        QStringLiteral("The 3D view settings file KVR63DDraw.cfg could not be saved (")))
        << told.text.toStdString();
    EXPECT_TRUE(told.text.endsWith(
        QStringLiteral("The view's settings are not kept for the next opening.")));
    EXPECT_EQ(w.Shown_Tab(), 1);
}

TEST_F(ViewWindow, GoingToAnotherWindowClosesTheViewLikeClose) {
    frmMain& w = openWired();
    w.Select_Tab(1);
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    Q_UNUSED(v);
    w.activateWindow();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    EXPECT_EQ(w.Shown_Tab(), 2);
}

TEST_F(ViewWindow, WithoutALinkTheLivePointTimerDoesNotRun) {
    MapKind = QStringLiteral("Injection:");
    frm3DDrw& v = FormInstance<frm3DDrw>::open();
    EXPECT_FALSE(v.Timer1.isActive());
    EXPECT_EQ(v.Timer1.interval(), 0);
    EXPECT_TRUE(v.Shown().drawn);
    v.close();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());

    // With the main window's link the timer follows its poll.
    frmMain& w = openWired();
    frm3DDrw& linked = openView(w, w.mnu3DFuel);
    EXPECT_EQ(linked.Timer1.interval(), w.Link.interval());
    EXPECT_EQ(linked.Timer1.isActive(), w.Link.interval() > 0);
}

} // namespace
