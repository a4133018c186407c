#include "tests/mainwin/GridTestSupport.h"

#include "mainwin/MapCellText.h"

#include <QApplication>
#include <QClipboard>

namespace {

// A box of the grid's two selectable kinds: C grid cell, A AMP row.
struct Box {
    char kind;
    int index;
};

} // namespace

TEST_F(GridTest, ArrowKeysOnTheWindowAtTheEdges) {
    frmMain& w = open();
    struct Case {
        int tab;
        Box start;
        Qt::Key key;
        Box reached;
    };
    const Case cases[] = {
        {1, {'C', 48}, Qt::Key_Down, {'C', 32}},  {3, {'C', 48}, Qt::Key_Down, {'C', 32}},
        {1, {'C', 15}, Qt::Key_Up, {'C', 31}},    {2, {'C', 127}, Qt::Key_Up, {'A', 0}},
        {3, {'C', 127}, Qt::Key_Up, {'A', 0}},    {1, {'C', 119}, Qt::Key_Right, {'A', 7}},
        {3, {'C', 119}, Qt::Key_Right, {'A', 7}}, {2, {'C', 0}, Qt::Key_Left, {'C', 0}},
        {2, {'C', 40}, Qt::Key_Left, {'C', 24}},  {1, {'A', 5}, Qt::Key_Left, {'C', 117}},
        {2, {'A', 5}, Qt::Key_Down, {'A', 4}},    {2, {'A', 15}, Qt::Key_Up, {'A', 15}},
        {3, {'A', 0}, Qt::Key_Down, {'A', 0}},    {3, {'C', 0}, Qt::Key_Down, {'C', 0}},
    };
    for (const Case& c : cases) {
        w.Select_Tab(c.tab);
        if (c.start.kind == 'C')
            click(w.Txt128[c.start.index]);
        else
            click(w.TxtAMP[c.start.index]);
        key(c.key);
        const std::string name = std::to_string(c.tab) + c.start.kind +
                                 std::to_string(c.start.index) + " key " + std::to_string(c.key);
        if (c.reached.kind == 'C') {
            EXPECT_EQ(EditField, 1) << name;
            EXPECT_EQ(SelCell, c.reached.index) << name;
            EXPECT_EQ(colour(w.Txt128, c.reached.index), 'G') << name;
        } else {
            EXPECT_EQ(EditField, 2) << name;
            EXPECT_EQ(SelAmpRow, c.reached.index) << name;
            EXPECT_GE(SelCell, 128) << name;
            EXPECT_EQ(colour(w.TxtAMP, c.reached.index), 'G') << name;
        }
        EXPECT_EQ(colours(w.txtAfrT, 0, 8), QStringLiteral("WWWWWWWW")) << name;
        EXPECT_TRUE(w.txtEnter->hasFocus()) << name;
    }
}

TEST_F(GridTest, KeysOnAFocusedGridCellGoToTheEntryBox) {
    frmMain& w = open();
    click(w.Txt128[20]);
    w.Txt128[20]->setFocus();
    QTest::keyClick(w.Txt128[20], Qt::Key_Up);
    EXPECT_EQ(SelCell, 21);
    EXPECT_TRUE(w.txtEnter->hasFocus());
    w.Txt128[30]->setFocus();
    QTest::keyClick(w.Txt128[30], Qt::Key_7);
    EXPECT_EQ(SelCell, 21) << "another key re-selects the selected cell";
    EXPECT_EQ(colour(w.Txt128, 21), 'G');
    EXPECT_TRUE(w.txtEnter->hasFocus());
    EXPECT_EQ(w.txtEnter->text(), QString()) << "the key itself is not typed";
    EXPECT_EQ(w.Txt128[30]->text(), MapCellText::Cell(1, Idx_AnaMap + 30));
}

TEST_F(GridTest, SelectionColoursAndTheLiveCell) {
    frmMain& w = open();
    w.Select_Tab(3); // the tab with the AFR row
    LiveMapCell = 9;
    w.Cursor_Movement();
    click(w.Txt128[9]);
    EXPECT_EQ(colour(w.Txt128, 9), 'G');
    click(w.Txt128[10]);
    EXPECT_EQ(colour(w.Txt128, 9), 'R') << "the live cell keeps its mark";
    EXPECT_EQ(colour(w.Txt128, 10), 'G');

    // An AMP row takes the selection: the grid cell goes plain, SelCell leaves the grid.
    click(w.TxtAMP[4]);
    EXPECT_EQ(colour(w.Txt128, 10), 'W');
    EXPECT_EQ(colour(w.TxtAMP, 4), 'G');
    EXPECT_EQ(SelCell, 132);
    click(w.TxtAMP[6]);
    EXPECT_EQ(SelCell, 132) << "a second AMP row keeps the first value";
    EXPECT_EQ(colours(w.TxtAMP, 4, 3), QStringLiteral("WWG"));
    EXPECT_EQ(EditField, 2);
}

TEST_F(GridTest, ColumnAdjustmentPaintsTheColumnAnEntryWrites) {
    frmMain& w = open();
    w.Select_Tab(3); // the tab with the AFR row
    LiveMapCell = 100;
    LiveAmpCellB = 12;
    LiveAmpCellA = 12; // the AMP row the ignition tab marks
    w.Cursor_Movement();
    const QString green16(16, QLatin1Char('G'));
    const QString white16(16, QLatin1Char('W'));
    const auto live12 = [](QString s) { return s.replace(12, 1, QLatin1Char('R')); };
    click(w.Txt128[37]);
    w.chkAdjustColumn->click();
    EXPECT_EQ(colours(w.Txt128, 32, 16), green16);
    EXPECT_EQ(AdjustCol, 3);
    EXPECT_EQ(ColouredCol, 3);
    w.chkAdjustColumn->click();
    EXPECT_EQ(colours(w.Txt128, 32, 16), white16.left(5) + 'G' + white16.left(10));
    EXPECT_EQ(AdjustCol, 99);
    EXPECT_EQ(ColouredCol, 0);

    // AMP row selected: the whole AMP column; AdjustCol stays.
    click(w.TxtAMP[5]);
    w.chkAdjustColumn->click();
    EXPECT_EQ(colours(w.TxtAMP, 0, 16), green16);
    EXPECT_EQ(ColouredCol, 9);
    EXPECT_EQ(AdjustCol, 99);
    w.chkAdjustColumn->click();
    EXPECT_EQ(colours(w.TxtAMP, 0, 16), white16.left(5) + 'G' + white16.left(10));
    // Clearing again repaints nothing.
    Design::setBackColor(w.TxtAMP[9], Design::bgr(Design::TrailCell));
    w.chkAdjustColumn->setChecked(false);
    w.chkAdjustColumn_Click();
    EXPECT_EQ(colour(w.TxtAMP, 9), 'O');

    // While ticked, every selection moves the painted column.
    w.chkAdjustColumn->click();
    click(w.Txt128[37]);
    EXPECT_EQ(colours(w.Txt128, 32, 16), green16);
    EXPECT_EQ(AdjustCol, 3);
    click(w.TxtAMP[2]);
    EXPECT_EQ(colours(w.Txt128, 32, 16), white16);
    EXPECT_EQ(colours(w.TxtAMP, 0, 16), live12(green16)) << "the live row stays marked";
    EXPECT_EQ(ColouredCol, 9);
    click(w.Txt128[5]);
    EXPECT_EQ(colours(w.TxtAMP, 0, 16), live12(white16));
    EXPECT_EQ(colours(w.Txt128, 0, 16), green16);
    EXPECT_EQ(ColouredCol, 1);
    EXPECT_EQ(colour(w.Txt128, 100), 'R');
}

TEST_F(GridTest, LiveMarksStayOnTopOfThePaintedColumn) {
    frmMain& w = open();
    LiveMapCell = 40;
    w.Cursor_Movement();
    click(w.Txt128[37]);
    w.chkAdjustColumn->click();
    click(w.Txt128[36]);
    EXPECT_EQ(colours(w.Txt128, 32, 16), QStringLiteral("GGGGGGGGRGGGGGGG"));
    EXPECT_EQ(colours(w.Txt128, 0, 16), QString(16, QLatin1Char('W')))
        << "no stray marks outside the column";
}

TEST_F(GridTest, LettersAreHandedToTheConsole) {
    frmMain& w = open();
    click(w.Txt128[3]);
    QTest::keyClicks(w.txtEnter, QStringLiteral("1"));
    QTest::keyClick(w.txtEnter, Qt::Key_P);
    EXPECT_TRUE(w.txtDOS->hasFocus());
    EXPECT_EQ(w.txtDOS->text(), QStringLiteral("P"));
    EXPECT_EQ(w.txtDOS->cursorPosition(), 1);
    EXPECT_EQ(ConsoleHandover, 1);
    EXPECT_EQ(w.txtEnter->text(), QString());
}

TEST_F(GridTest, WindowShortcutsWinOverTheTextBoxes) {
    MapLoaded = -1;
    frmMain& w = open();
    int saves = 0;
    int help = 0;
    w.Wire_Entry(w.mnuSave, [&saves] { ++saves; });
    w.Wire_Entry(w.mnuDosHelp, [&help] { ++help; });
    for (QLineEdit* box : {w.txtEnter, w.txtDOS}) {
        box->setFocus();
        box->setText(QStringLiteral("12"));
        QApplication::clipboard()->clear();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), w.Map_Copy_Text());
        QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_D, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_F2);
        EXPECT_EQ(MapTab, 2);
        QTest::keyClick(box, Qt::Key_F3);
        EXPECT_EQ(MapTab, 3);
        QTest::keyClick(box, Qt::Key_F1);
        EXPECT_EQ(MapTab, 1);
        EXPECT_EQ(box->text(), QStringLiteral("12")) << "the keys did not reach the box";
    }
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(help, 2);
}
