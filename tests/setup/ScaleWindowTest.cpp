// The two scale editors opened from the main window's "Scale Settings" menu,
// off-line on the default map: keys and clicks into the real widgets, what the
// image and the main window's labels hold afterwards, and screenshots.

#include "tests/setup/ScaleWindowSupport.h"

TEST_F(ScaleWindowTest, TheRpmEditorMovesABarByKeysAndTheMainWindowFollows) {
    frmMain& w = openWired();
    frmScaleRPM& e = openRpm();
    EXPECT_EQ(e.windowTitle(), QStringLiteral("KVR6 - RPM Scale   by Fast Lane Motors"));
    ASSERT_EQ(e.Image1.size(), 16u);
    EXPECT_FALSE(e.cmdApplyAll->isEnabled());
    EXPECT_EQ(e.lblRPM_Now->text(), QStringLiteral("????"));
    const auto opened = bytes(0, 256);

    clickBar(e, 4);
    EXPECT_TRUE(e.LineTop->isVisible());
    const int shown = e.lblRPM_Now->text().toInt();
    EXPECT_EQ(shown, *e.editor().Whole(4));
    press(e, Qt::Key_Up);
    press(e, Qt::Key_8, Qt::KeypadModifier);
    press(e, Qt::Key_9); // the digit 9 is Page Up too
    const int moved = *e.editor().Whole(4);
    EXPECT_GT(moved, shown + 100);
    EXPECT_EQ(e.lblRPM_Now->text(), QString::number(moved));
    EXPECT_TRUE(e.cmdApplyAll->isEnabled());
    EXPECT_EQ(bytes(145, 145), std::vector<int>{opened[145]});
    expectAxisLabelsFollowTheImage();
    EXPECT_EQ(w.lblrpm[4]->text(), QString::number(moved));

    // Left and Right move the marker; the value keys move the bar marked.
    press(e, Qt::Key_Right);
    EXPECT_EQ(ScaleSelBar, 5);
    press(e, Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(ScaleSelBar, 4);
    EXPECT_EQ(e.LineTop->x(), Design::px(Scale::BarLeft + Scale::BarPitch * 4));

    QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_EQ(bytes(0, 256), opened) << "Cancel puts the scale back";
    EXPECT_EQ(w.lblrpm[4]->text(), QString::number(shown));
}

TEST_F(ScaleWindowTest, TypingIntoAnEntryChoosesMinMaxAndApplyFillsTheScale) {
    frmMain& w = openWired();
    frmScaleRPM& e = openRpm();
    EXPECT_TRUE(e.Frame4->isEnabled()) << "every frame is enabled at opening";
    type(e.Input_Min, QStringLiteral("300"));
    EXPECT_TRUE(e.chkActiveMM->isChecked());
    EXPECT_FALSE(e.chkActiveN->isChecked());
    EXPECT_FALSE(e.Frame2->isEnabled());
    EXPECT_FALSE(e.Frame3->isEnabled());
    // The digits typed are the entry's: no key moves a bar while "Min - Max" is on.
    EXPECT_EQ(e.Input_Min->text(), QStringLiteral("300"));
    QTest::keyClick(e.Input_Min, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), e.Input_max);
    e.Input_max->selectAll();
    QTest::keyClicks(e.Input_max, QStringLiteral("25000"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);

    EXPECT_EQ(bytes(224, 225), (std::vector<int>{15, 66}));
    EXPECT_EQ(bytes(254, 255), (std::vector<int>{0, 62}));
    EXPECT_EQ(e.Input_max->text(), QStringLiteral("19000"));
    EXPECT_EQ(e.lblMaxRpm->text(), QStringLiteral("19000"));
    EXPECT_EQ(e.lblRpmMax->text(), QStringLiteral("19000"));
    EXPECT_EQ(e.lblRPMmin->text(), QStringLiteral("300"));
    EXPECT_TRUE(e.chkActiveN->isChecked()) << "Apply ends in Navigation";
    EXPECT_TRUE(e.Frame2->isEnabled());
    EXPECT_FALSE(e.Frame4->isEnabled());
    EXPECT_TRUE(e.cmdApplyAll->isEnabled());
    expectAxisLabelsFollowTheImage();
    EXPECT_EQ(w.lblrpm[0]->text(), QStringLiteral("300"));
    // Drawn to scale: the last bar fills the chart, the first has no height.
    EXPECT_EQ(e.Image1[0]->height(), 0);
    EXPECT_EQ(e.Image1[15]->height(), Design::px(Scale::BarArea));

    // Off-line, OK stores the rows in the map only, says so, and closes.
    dialogs.clear();
    const auto applied = bytes(0, 256);
    QTest::mouseClick(e.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_EQ(bytes(0, 256), applied);
    EXPECT_EQ(notice(), SendRule::OfflineNotice);
    EXPECT_EQ(OfflineEdits, 1) << "going on-line asks first";
}

TEST_F(ScaleWindowTest, EntriesThatAreNoScaleAreToldAndChangeNothing) {
    openWired();
    frmScaleRPM& e = openRpm();
    const auto before = bytes(0, 256);
    type(e.Input_Min, QStringLiteral("low"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("RPM Scale"));
    EXPECT_TRUE(dialogs.records()[0].text.startsWith(QStringLiteral("\"low\" is not a number")));
    type(e.Input_Min, QStringLiteral("4000"));
    type(e.Input_max, QStringLiteral("4000"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_TRUE(dialogs.records()[1].text.contains(QStringLiteral("both 4000 RPM")));
    EXPECT_EQ(bytes(0, 256), before);
    EXPECT_FALSE(e.cmdApplyAll->isEnabled());
    EXPECT_TRUE(FormInstance<frmScaleRPM>::loaded()) << "a message box does not close it";
}

TEST_F(ScaleWindowTest, WalkingAwayFromUnsentChangesPutsThemBackAndSaysSo) {
    frmMain& w = openWired();
    frmScaleDeflect& e = openDeflection();
    const auto before = bytes(0, 256);
    clickBar(e, 3);
    press(e, Qt::Key_PageUp);
    ASSERT_NE(bytes(0, 256), before);
    ASSERT_TRUE(e.cmdApplyAll->isEnabled());

    // A click on the main window's grid.
    QTest::mouseClick(w.Txt128[17], Qt::LeftButton);
    w.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmScaleDeflect>());
    EXPECT_EQ(bytes(0, 256), before);
    EXPECT_EQ(notice(),
              QStringLiteral("Deflection Scale closed: its changes were not sent to the unit and "
                             "have been put back."));
    expectAxisLabelsFollowTheImage();

    // With nothing unsent the window just closes.
    frmScaleRPM& rpm = openRpm();
    clickBar(rpm, 2);
    w.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_EQ(bytes(0, 256), before);
}

TEST_F(ScaleWindowTest, TheDeflectionEditorFillsFromTypedPercentAndStoresKeys) {
    frmMain& w = openWired();
    frmScaleDeflect& e = openDeflection();
    EXPECT_EQ(e.windowTitle(), QStringLiteral("KVR6 - Deflection Scale   by Fast Lane Motors"));
    ASSERT_EQ(e.Image1.size(), 8u);
    EXPECT_TRUE(e.Input_Min->text().endsWith(QStringLiteral(" %")));
    type(e.Input_Min, QStringLiteral("10 %"));
    type(e.Input_max, QStringLiteral("90%"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    EXPECT_EQ(bytes(152, 159), (std::vector<int>{25, 53, 84, 112, 143, 171, 202, 230}));
    EXPECT_EQ(e.lblMinRpm->text(), QStringLiteral("10%"));
    EXPECT_EQ(e.lblRpmMax->text(), QStringLiteral("90%"));
    expectAxisLabelsFollowTheImage();
    EXPECT_EQ(w.lblDef[1]->text(), QStringLiteral("20%"));

    clickBar(e, 7);
    EXPECT_EQ(e.lblRPM_Now->text(), QStringLiteral("90 %"));
    press(e, Qt::Key_PageDown, Qt::NoModifier, 2);
    press(e, Qt::Key_Down);
    EXPECT_EQ(e.lblRPM_Now->text(), QStringLiteral("69 %"));
    EXPECT_EQ(ParamBlock[159], 176);
    // Bar 6 stood at 79 %: pushed down to 68 %.
    EXPECT_EQ(*e.editor().Whole(6), 68);

    // A maximum below the minimum is refused with a message. In Navigation the
    // entries are disabled: the user ticks "Min - Max" first.
    EXPECT_FALSE(e.Input_Min->isEnabled());
    QTest::mouseClick(e.chkActiveMM, Qt::LeftButton);
    EXPECT_TRUE(e.Input_Min->isEnabled());
    EXPECT_FALSE(e.Frame2->isEnabled());
    type(e.Input_Min, QStringLiteral("60"));
    type(e.Input_max, QStringLiteral("40"));
    const auto before = bytes(0, 256);
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("needs to be ascending")));
    EXPECT_EQ(bytes(0, 256), before);
}

TEST_F(ScaleWindowTest, ScreenshotsOfBothEditors) {
    openWired();
    frmScaleRPM& rpm = openRpm();
    clickBar(rpm, 6);
    press(rpm, Qt::Key_PageUp);
    QTest::qWait(50);
    EXPECT_TRUE(rpm.grab().save(Screenshot_Path(QStringLiteral("scale-rpm.png"))));
    type(rpm.Input_Min, QStringLiteral("800"));
    EXPECT_TRUE(rpm.grab().save(Screenshot_Path(QStringLiteral("scale-rpm-minmax.png"))));
    rpm.cmdCancel_Click();
    ASSERT_TRUE(Wait_Unloaded<frmScaleRPM>());

    frmScaleDeflect& defl = openDeflection();
    clickBar(defl, 3);
    QTest::qWait(50);
    EXPECT_TRUE(defl.grab().save(Screenshot_Path(QStringLiteral("scale-deflection.png"))));
}

TEST_F(ScaleWindowTest, AnUnusableCylindersByteIsToldAndNeverChanged) {
    frmMain& w = openWired();
    ParamBlock[Idx_Cylinders] = 13;
    w.Redraw_Shown_Map();
    frmScaleRPM& e = openRpm();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("RPM Scale"));
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("is 13, which is no cylinder")));
    type(e.Input_Min, QStringLiteral("300"));
    type(e.Input_max, QStringLiteral("19000"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    EXPECT_EQ(bytes(224, 225), (std::vector<int>{15, 66})) << "worked out for 4 cylinders";
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 13);
    EXPECT_EQ(w.lblrpm[0]->text(), QStringLiteral("300")) << "the main window counts 4 too";
    QTest::mouseClick(e.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmScaleRPM>());

    frmScaleDeflect& d = openDeflection();
    clickBar(d, 2);
    press(d, Qt::Key_PageUp);
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmScaleDeflect>());
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 13);
    EXPECT_EQ(dialogs.records().size(), 1u) << "told once, by the RPM editor";
}

namespace {

// One of the two editors, for tables over both.
struct EditorCase {
    const char* title;
    bool rpm;
    const char* min; // a minimum and a maximum the editor takes
    const char* max;
};
const EditorCase BothEditors[] = {{"RPM Scale", true, "900", "9000"},
                                  {"Deflection Scale", false, "10", "90"}};

class ScaleEditorsTest : public ScaleWindowTest {
protected:
    ScaleWindow& openEditor(const EditorCase& c) {
        if (c.rpm)
            return openRpm();
        return openDeflection();
    }
    static bool unloaded(const EditorCase& c) {
        return c.rpm ? Wait_Unloaded<frmScaleRPM>() : Wait_Unloaded<frmScaleDeflect>();
    }
    static int first(const EditorCase& c) { return c.rpm ? 224 : 152; }
    static int last(const EditorCase& c) { return c.rpm ? 255 : 159; }
};

} // namespace

TEST_F(ScaleEditorsTest, CancelSaysInTheStatusBarThatTheChangesWerePutBack) {
    openWired();
    for (const EditorCase& c : BothEditors) {
        SCOPED_TRACE(c.title);
        const auto before = bytes(0, 256);
        ScaleWindow& e = openEditor(c);
        clickBar(e, 3);
        press(e, Qt::Key_PageUp);
        ASSERT_NE(bytes(0, 256), before);
        QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
        ASSERT_TRUE(unloaded(c));
        EXPECT_EQ(bytes(0, 256), before);
        EXPECT_EQ(notice(), QStringLiteral("%1 cancelled: its changes were not sent to the unit "
                                           "and have been put back.")
                                .arg(QString::fromLatin1(c.title)));
        expectAxisLabelsFollowTheImage();

        // With nothing to put back, Cancel says nothing.
        SendRule::Tell(QString());
        ScaleWindow& again = openEditor(c);
        clickBar(again, 2);
        QTest::mouseClick(again.cmdCancel, Qt::LeftButton);
        ASSERT_TRUE(unloaded(c));
        EXPECT_FALSE(notice().contains(QStringLiteral("put back"))) << notice().toStdString();
    }
}

TEST_F(ScaleEditorsTest, TheFootApplyLeavesNavigationOnAndTheArrowsMoveBarsAlsoAtTheNextOpening) {
    openWired();
    const struct {
        const char* how;
        bool byKey;
    } presses[] = {{"mouse", false}, {"space bar", true}};
    for (const EditorCase& c : BothEditors)
        for (const auto& how : presses) {
            SCOPED_TRACE(std::string(c.title) + " by " + how.how);
            ScaleWindow& e = openEditor(c);
            clickBar(e, 4);
            press(e, Qt::Key_Up);
            ASSERT_TRUE(e.cmdApplyAll->isEnabled());
            if (how.byKey) {
                e.cmdApplyAll->setFocus(Qt::TabFocusReason);
                QTest::keyClick(e.cmdApplyAll, Qt::Key_Space);
            } else {
                QTest::mouseClick(e.cmdApplyAll, Qt::LeftButton);
            }
            ASSERT_FALSE(e.cmdApplyAll->isEnabled()) << "stored";
            EXPECT_EQ(ScaleMinMaxMode, 0);
            EXPECT_FALSE(e.chkActiveMM->isChecked());
            EXPECT_TRUE(e.Frame2->isEnabled());
            EXPECT_NE(QApplication::focusWidget(), e.Input_Min);
            EXPECT_NE(QApplication::focusWidget(), e.Input_max);
            const int stored = *e.editor().Whole(4);
            press(e, Qt::Key_Up);
            EXPECT_GT(*e.editor().Whole(4), stored) << "the arrows still move the bar";
            QTest::mouseClick(e.cmdOK, Qt::LeftButton);
            ASSERT_TRUE(unloaded(c));

            ScaleWindow& again = openEditor(c);
            const int reopened = *again.editor().Whole(4);
            press(again, Qt::Key_Up);
            EXPECT_GT(*again.editor().Whole(4), reopened) << "and at the next opening";
            QTest::mouseClick(again.cmdOK, Qt::LeftButton);
            ASSERT_TRUE(unloaded(c));
        }
}

TEST_F(ScaleEditorsTest, DigitsTypedIntoADisabledEntryChangeNoBar) {
    openWired();
    for (const EditorCase& c : BothEditors) {
        SCOPED_TRACE(c.title);
        ScaleWindow& e = openEditor(c);
        type(e.Input_Min, QString::fromLatin1(c.min));
        type(e.Input_max, QString::fromLatin1(c.max));
        QTest::mouseClick(e.cmdApply, Qt::LeftButton);
        ASSERT_FALSE(e.Input_Min->isEnabled()) << "Navigation after Apply";
        const auto applied = bytes(0, 256);
        const QString min = e.Input_Min->text();
        // Straight into each entry, and after a click into it to wherever the focus is.
        for (QLineEdit* entry : {e.Input_Min, e.Input_max}) {
            QTest::keyClicks(entry, QStringLiteral("99"));
            QTest::mouseClick(entry, Qt::LeftButton);
            for (const Qt::Key digit : {Qt::Key_9, Qt::Key_9, Qt::Key_3})
                press(e, digit);
            press(e, Qt::Key_9, Qt::KeypadModifier);
        }
        EXPECT_EQ(bytes(0, 256), applied);
        EXPECT_EQ(e.Input_Min->text(), min);
        expectAxisLabelsFollowTheImage();
        // The same digits after a click on a bar move it: they are the window's keys.
        clickBar(e, 2);
        press(e, Qt::Key_9);
        EXPECT_NE(bytes(0, 256), applied);
        QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
        ASSERT_TRUE(unloaded(c));
    }
}

TEST_F(ScaleEditorsTest, OffLineWithNoMapLoadedBothEditorsRefuseAndChangeNothing) {
    openWired();
    MapLoaded = 0;
    for (const EditorCase& c : BothEditors) {
        SCOPED_TRACE(c.title);
        const auto before = bytes(0, 256);
        dialogs.clear();
        ScaleWindow& e = openEditor(c);
        ASSERT_EQ(dialogs.records().size(), 1u) << "told at opening";
        EXPECT_TRUE(dialogs.records()[0].text.startsWith(
            QStringLiteral("There is no map loaded and no unit on-line")))
            << dialogs.records()[0].text.toStdString();
        // "Min - Max" may be left on from the last opening: the keys want Navigation.
        if (ScaleMinMaxMode == 1)
            QTest::mouseClick(e.chkActiveN, Qt::LeftButton);
        clickBar(e, 3);
        press(e, Qt::Key_PageUp);
        press(e, Qt::Key_Down);
        if (!e.Input_Min->isEnabled())
            QTest::mouseClick(e.chkActiveMM, Qt::LeftButton);
        type(e.Input_Min, QString::fromLatin1(c.min));
        type(e.Input_max, QString::fromLatin1(c.max));
        QTest::mouseClick(e.cmdApply, Qt::LeftButton);
        // Each key and the Apply are refused by the send rule, whose word is in
        // the status bar; no box opens per key.
        EXPECT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
        EXPECT_EQ(notice(), SendRule::NoMapNotice);
        EXPECT_EQ(bytes(0, 256), before);
        EXPECT_FALSE(e.cmdApplyAll->isEnabled());
        EXPECT_EQ(OfflineEdits, 0);
        expectAxisLabelsFollowTheImage();
        QTest::mouseClick(e.cmdOK, Qt::LeftButton);
        ASSERT_TRUE(unloaded(c));
        EXPECT_EQ(bytes(0, 256), before);
    }
}

TEST_F(ScaleEditorsTest, TheDeflectionMaximumAfterAKeyShowsTheSelectedBarLeftFromTheRpmEditor) {
    openWired();
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right};
    for (const Qt::Key key : keys) {
        SCOPED_TRACE(key == Qt::Key_Left ? "Left" : "Right");
        frmScaleRPM& rpm = openRpm();
        clickBar(rpm, 12);
        QTest::mouseClick(rpm.cmdOK, Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmScaleRPM>());
        ASSERT_EQ(ScaleSelBar, 12);

        const auto before = bytes(0, 256);
        frmScaleDeflect& d = openDeflection();
        const QString top = QString::number(*d.editor().Whole(7)) + QStringLiteral(" %");
        press(d, key);
        EXPECT_EQ(ScaleSelBar, 7);
        EXPECT_EQ(d.lblRPM_Now->text(), top);
        EXPECT_EQ(d.lblMaxRpm->text(), top);
        EXPECT_EQ(d.lblRpmMax->text(), top);
        EXPECT_EQ(bytes(0, 256), before);
        EXPECT_FALSE(d.cmdApplyAll->isEnabled());
        // The next value key moves the last bar from what it shows.
        press(d, Qt::Key_Down);
        EXPECT_EQ(d.lblMaxRpm->text(),
                  QString::number(*d.editor().Whole(7)) + QStringLiteral(" %"));
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmScaleDeflect>());
        EXPECT_EQ(bytes(0, 256), before);
    }
}

// The unit holds each point as a timer period (RPM) or a byte (deflection): a
// range whose points do not all come to values of their own is no scale, and is
// refused as a flat one is.
TEST_F(ScaleEditorsTest, ARangeWhosePointsShareAUnitValueIsRefusedAsAFlatOneIs) {
    openWired();
    ASSERT_EQ(ParamBlock[Idx_Cylinders], 4);
    struct Case {
        EditorCase editor;
        const char* told; // empty: taken
    };
    const Case cases[] = {
        {{"RPM Scale", true, "18000", "19000"},
         "With 4 cylinder(s) the range 18000 to 19000 RPM gives the 16 points only 4 different "
         "timer periods (points 1 and 2 both come to period 65): each point needs a period of "
         "its own. Type a wider range, or one lower down. Nothing was changed."},
        {{"RPM Scale", true, "9000", "19000"}, ""},
        {{"Deflection Scale", false, "50", "51"},
         "The range 50 % to 51 % gives the 8 points only 2 different deflections (points 1 and 2 "
         "both come to 50 %): each point needs a deflection of its own. Type a wider range. "
         "Nothing was changed."},
        {{"Deflection Scale", false, "10", "16"},
         "The range 10 % to 16 % gives the 8 points only 7 different deflections (points 4 and 5 "
         "both come to 13 %): each point needs a deflection of its own. Type a wider range. "
         "Nothing was changed."},
        {{"Deflection Scale", false, "10", "17"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.editor.title) + " " + c.editor.min + ".." + c.editor.max);
        const auto before = bytes(0, 256);
        ScaleWindow& e = openEditor(c.editor);
        const QString minCaption = e.lblMinRpm->text();
        if (!e.Input_Min->isEnabled())
            QTest::mouseClick(e.chkActiveMM, Qt::LeftButton);
        type(e.Input_Min, QString::fromLatin1(c.editor.min));
        type(e.Input_max, QString::fromLatin1(c.editor.max));
        dialogs.clear();
        QTest::mouseClick(e.cmdApply, Qt::LeftButton);
        if (*c.told == '\0') {
            EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
            EXPECT_TRUE(e.cmdApplyAll->isEnabled());
            EXPECT_NE(bytes(0, 256), before) << "taken";
            // Each point holds a value of its own.
            std::vector<int> points;
            for (int a = first(c.editor); a <= last(c.editor); a += c.editor.rpm ? 2 : 1)
                points.push_back(c.editor.rpm ? ParamBlock[a] * 256 + ParamBlock[a + 1]
                                              : ParamBlock[a]);
            std::sort(points.begin(), points.end());
            EXPECT_EQ(std::unique(points.begin(), points.end()), points.end());
        } else {
            ASSERT_EQ(dialogs.records().size(), 1u);
            EXPECT_EQ(dialogs.records()[0].title, QString::fromLatin1(c.editor.title));
            EXPECT_EQ(dialogs.records()[0].text, QString::fromLatin1(c.told))
                << dialogs.records()[0].text.toStdString();
            EXPECT_EQ(bytes(0, 256), before);
            EXPECT_EQ(e.lblMinRpm->text(), minCaption);
            EXPECT_FALSE(e.cmdApplyAll->isEnabled());
            EXPECT_TRUE(e.Input_Min->isEnabled()) << "the entries stay to be mended";
            expectAxisLabelsFollowTheImage();
            EXPECT_TRUE(e.grab().save(Screenshot_Path(
                QStringLiteral("scale-%1-shared-points.png").arg(c.editor.rpm ? "rpm" : "defl"))));
        }
        QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
        ASSERT_TRUE(unloaded(c.editor));
        EXPECT_EQ(bytes(0, 256), before);
    }
}
