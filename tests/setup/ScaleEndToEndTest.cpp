// The scale editors against the simulated unit behind the real serial port: what
// Apply sends lands in the unit's page 4 without a read-out after it, Cancel and
// walking away leave the unit and the image agreeing, and a locked unit gets no
// write.

#include "tests/setup/ScaleWindowSupport.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class ScaleEndToEnd : public ScaleWindowTest {
protected:
    std::vector<QByteArray> rowWrites() const {
        std::vector<QByteArray> rows;
        for (const QByteArray& f : unit.frames())
            if (!f.isEmpty() && f[0] == '<')
                rows.push_back(f);
        return rows;
    }
    // A page read of the unit (a read-out).
    bool pageRead() const {
        for (const QByteArray& f : unit.frames())
            if (!f.isEmpty() && QByteArray("89:@").contains(f[0]))
                return true;
        return false;
    }
    int polls() const {
        int n = 0;
        for (const QByteArray& f : unit.frames())
            n += !f.isEmpty() && f[0] == '1';
        return n;
    }
    bool unitHoldsTheImage() const { return unitBytes(128, 255) == bytes(128, 255); }
    // An entry's text as the user gives it: typed key by key, or a long one pasted
    // (the entry keeps what it can hold).
    static void enter(QLineEdit* box, const QString& text) {
        if (text.size() <= 40) {
            type(box, text);
            return;
        }
        QGuiApplication::clipboard()->setText(text);
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text().size(), std::min<qsizetype>(text.size(), box->maxLength()));
    }
};

} // namespace

TEST_F(ScaleEndToEnd, RpmApplySendsTheTwoRowsAndPollingGoesOn) {
    openOnlineWired();
    frmScaleRPM& e = openRpm();
    unit.clearFrames();
    type(e.Input_Min, QStringLiteral("900"));
    type(e.Input_max, QStringLiteral("12000"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    clickBar(e, 9);
    press(e, Qt::Key_PageUp);
    ASSERT_TRUE(e.cmdApplyAll->isEnabled());
    EXPECT_TRUE(rowWrites().empty()) << "a store sends nothing before Apply";

    QTest::mouseClick(e.cmdApplyAll, Qt::LeftButton);
    EXPECT_FALSE(e.cmdApplyAll->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowWrites().size() == 2 && polls() >= 3; }, 15000))
        << "rows " << rowWrites().size();
    ASSERT_TRUE(Wait_Link_Settled());
    const std::vector<QByteArray> rows = rowWrites();
    EXPECT_EQ(static_cast<unsigned char>(rows[0][1]), 224);
    EXPECT_EQ(static_cast<unsigned char>(rows[1][1]), 240);
    EXPECT_FALSE(pageRead()) << "no read-out follows the rows";
    EXPECT_EQ(unitBytes(224, 255), bytes(224, 255));
    EXPECT_TRUE(unitHoldsTheImage());
    expectAxisLabelsFollowTheImage();
    EXPECT_EQ(window->lblrpm[0]->text(), QString::number(*e.editor().Whole(0)));

    // OK with nothing unsent sends nothing more.
    unit.clearFrames();
    QTest::mouseClick(e.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    ASSERT_TRUE(QTest::qWaitFor([&] { return polls() >= 5; }, 10000));
    EXPECT_TRUE(rowWrites().empty());
}

TEST_F(ScaleEndToEnd, DeflectionOkSendsTheRowThatHoldsThePoints) {
    openOnlineWired();
    frmScaleDeflect& e = openDeflection();
    unit.clearFrames();
    type(e.Input_Min, QStringLiteral("5"));
    type(e.Input_max, QStringLiteral("95"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    clickBar(e, 2);
    press(e, Qt::Key_Up, Qt::NoModifier, 3);
    const auto image = bytes(144, 159);

    QTest::mouseClick(e.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleDeflect>());
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowWrites().size() == 1 && polls() >= 3; }, 15000));
    ASSERT_TRUE(Wait_Link_Settled());
    const QByteArray row = rowWrites()[0];
    ASSERT_EQ(row.size(), 19) << "'<', the address, 16 bytes, CR";
    EXPECT_EQ(static_cast<unsigned char>(row[1]), 144);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(static_cast<unsigned char>(row[2 + k]), image[static_cast<std::size_t>(k)]) << k;
    EXPECT_FALSE(pageRead());
    EXPECT_EQ(unitBytes(144, 159), image);
    EXPECT_TRUE(unitHoldsTheImage());
    expectAxisLabelsFollowTheImage();
}

TEST_F(ScaleEndToEnd, CancelAndWalkingAwayLeaveTheUnitAndTheImageAgreeing) {
    frmMain& w = openOnlineWired();
    ASSERT_TRUE(unitHoldsTheImage());
    frmScaleRPM& e = openRpm();
    unit.clearFrames();
    clickBar(e, 12);
    press(e, Qt::Key_PageDown, Qt::NoModifier, 4);
    ASSERT_FALSE(unitHoldsTheImage());
    QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_TRUE(unitHoldsTheImage());

    frmScaleDeflect& d = openDeflection();
    clickBar(d, 5);
    press(d, Qt::Key_3, Qt::KeypadModifier);
    ASSERT_FALSE(unitHoldsTheImage());
    QTest::mouseClick(w.Txt128[40], Qt::LeftButton);
    w.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmScaleDeflect>());
    EXPECT_TRUE(unitHoldsTheImage());
    EXPECT_TRUE(notice().startsWith(QStringLiteral("Deflection Scale closed")));
    expectAxisLabelsFollowTheImage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return polls() >= 5; }, 10000));
    for (const QByteArray& f : unit.frames())
        EXPECT_FALSE(SendPath::Is_Write(f)) << f.toHex().toStdString();
}

TEST_F(ScaleEndToEnd, ALockedUnitGetsNoWriteAndTheImageStaysTheUnits) {
    openOnlineWired();
    frmScaleRPM& e = openRpm();
    unit.faults.locked = true;
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitLocked == 1; }, 10000));
    unit.clearFrames();
    const auto before = bytes(0, 256);
    clickBar(e, 3);
    press(e, Qt::Key_Up);
    press(e, Qt::Key_PageUp);
    type(e.Input_Min, QStringLiteral("500"));
    type(e.Input_max, QStringLiteral("9000"));
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    EXPECT_EQ(bytes(0, 256), before);
    EXPECT_EQ(notice(), SendRule::Notice(SendRule::Verdict::Locked));
    EXPECT_FALSE(e.cmdApplyAll->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return polls() >= 5; }, 10000));
    for (const QByteArray& f : unit.frames())
        EXPECT_FALSE(SendPath::Is_Write(f)) << f.toHex().toStdString();
    EXPECT_TRUE(unitHoldsTheImage());
}

TEST_F(ScaleEndToEnd, OkWhileTheUnitIsSilentKeepsTheWindowOpenWithItsChanges) {
    frmMain& w = openOnlineWired();
    frmScaleDeflect& e = openDeflection();
    clickBar(e, 4);
    press(e, Qt::Key_Up, Qt::NoModifier, 2);
    ASSERT_TRUE(e.cmdApplyAll->isEnabled());
    unit.faults.silent = true; // the cable is pulled
    while (bad_cnt < SendRule::SilentTicks)
        w.Link.Comm_Timer_Timer();
    unit.clearFrames();

    QTest::mouseClick(e.cmdOK, Qt::LeftButton);
    QTest::qWait(100);
    EXPECT_TRUE(FormInstance<frmScaleDeflect>::loaded()) << "nothing went out: it stays open";
    EXPECT_TRUE(notice().startsWith(QStringLiteral("Not sent: the unit does not answer")))
        << notice().toStdString();
    EXPECT_TRUE(e.cmdApplyAll->isEnabled());
    EXPECT_TRUE(SendRequests.empty());

    unit.faults.silent = false; // plugged back
    ASSERT_TRUE(Wait_Link_Settled());
    QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleDeflect>());
    EXPECT_TRUE(unitHoldsTheImage());
    for (const QByteArray& f : unit.frames())
        EXPECT_FALSE(SendPath::Is_Write(f)) << f.toHex().toStdString();
}

TEST_F(ScaleEndToEnd, RpmEntriesThatGiveNoRisingScaleAreRefusedAndTheUnitKeepsItsScale) {
    // Twelve cylinders: the shortest period the unit takes is 7659 RPM.
    unit.setByte(4, Idx_Cylinders, 12);
    frmMain& w = openOnlineWired();
    ASSERT_EQ(ParamBlock[Idx_Cylinders], 12);
    frmScaleRPM& e = openRpm();
    const QString digits = QStringLiteral("1") + QString(100000, QLatin1Char('0'));
    const struct {
        QString min;
        QString max;
        QString told; // the start of the message
    } cases[] = {
        {"5000", "3000", "The maximum (3000 RPM) is below the minimum (5000 RPM)"},
        {"999999999999", "8000", "The maximum (8000 RPM) is below the minimum (1000000000000 RPM)"},
        {digits, "8000",
         "The maximum (8000 RPM) is below the minimum (10000000000000000000... RPM)"},
        {"300", QString(100000, QLatin1Char('x')), "\"xxxxxxxxxxxxxxxxxxxx...\" is not a number"},
        {"7700", "9000",
         "With 12 cylinder(s) the minimum (7700 RPM) and the maximum (9000 RPM) "
         "both come to 7659 RPM"},
        {"8000", digits,
         "With 12 cylinder(s) the minimum (8000 RPM) and the maximum (19000 RPM) "
         "both come to 7659 RPM"},
        {"7500", "9000",
         "With 12 cylinder(s) the range 7500 to 9000 RPM gives the 16 points only 2 different "
         "timer periods (points 1 and 2 both come to period 52)"},
    };
    const auto unitScale = unitBytes(224, 255);
    ASSERT_EQ(bytes(224, 255), unitScale);
    const QString minCaption = e.lblMinRpm->text();
    const QString maxCaption = e.lblMaxRpm->text();
    unit.clearFrames();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told.toStdString());
        if (!e.Input_Min->isEnabled())
            QTest::mouseClick(e.chkActiveMM, Qt::LeftButton);
        enter(e.Input_Min, c.min);
        enter(e.Input_max, c.max);
        dialogs.clear();
        QTest::mouseClick(e.cmdApply, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u);
        const QString told = dialogs.records()[0].text;
        EXPECT_TRUE(told.startsWith(c.told)) << told.toStdString();
        EXPECT_TRUE(told.endsWith(QStringLiteral("Nothing was changed."))) << told.toStdString();
        EXPECT_LT(told.size(), 400);
        EXPECT_EQ(bytes(224, 255), unitScale);
        EXPECT_EQ(e.lblMinRpm->text(), minCaption);
        EXPECT_EQ(e.lblMaxRpm->text(), maxCaption);
        EXPECT_FALSE(e.cmdApplyAll->isEnabled());
        expectAxisLabelsFollowTheImage();
    }
    EXPECT_TRUE(e.grab().save(Screenshot_Path(QStringLiteral("scale-rpm-refused.png"))));

    // A range whose top the unit cannot hold, with a period for each point, is
    // spread up to the shortest period and sent.
    type(e.Input_Min, QStringLiteral("5000"));
    type(e.Input_max, QStringLiteral("9000"));
    dialogs.clear();
    QTest::mouseClick(e.cmdApply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(*e.editor().Whole(0), 5008);
    EXPECT_EQ(*e.editor().Whole(15), 7659);
    QTest::mouseClick(e.cmdApplyAll, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowWrites().size() == 2; }, 15000));
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(unitBytes(224, 255), bytes(224, 255));
    EXPECT_EQ(w.lblrpm[0]->text(), QStringLiteral("5008"));
    expectAxisLabelsFollowTheImage();

    // Nothing but those two rows went to the unit.
    int writes = 0;
    for (const QByteArray& f : unit.frames())
        writes += SendPath::Is_Write(f) ? 1 : 0;
    EXPECT_EQ(writes, 2);
}
