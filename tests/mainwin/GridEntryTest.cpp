#include "core/WtsDis.h"
#include "link/SendRule.h"
#include "mainwin/CellEntry.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/GridTestSupport.h"

#include <QLabel>

namespace {

// An entry on the window: the tab, the box (C grid cell, A AMP row) and the keys.
struct Typed {
    const char* name;
    int tab;
    char kind;
    int index;
    const char* keys;
    int cylinders;
    int retard; // retard limit byte; the advance limit is 40
    char page;
    int address;
    int byte;
    const char* text;
};

class EntryTest : public GridTest {
protected:
    frmMain& openOnline() {
        frmMain& w = open();
        pollingHeld(w); // the image is the unit's: entries are sent
        return w;
    }
    void select(int tab, char kind, int index) {
        window->Select_Tab(tab);
        click(kind == 'A' ? window->TxtAMP[index] : window->Txt128[index]);
    }
    void column(bool on) {
        if (window->chkAdjustColumn->isChecked() != on)
            window->chkAdjustColumn->click();
    }
};

QByteArray rowFrame(char letter, int address, int byte) {
    return QByteArray(1, letter) + QByteArray(1, static_cast<char>(address)) +
           QByteArray(16, static_cast<char>(byte)) + QByteArray(1, '\r');
}

} // namespace

TEST_F(EntryTest, TypedValuesReachTheImageTheCellAndTheSendPath) {
    frmMain& w = openOnline();
    ParamBlock[Idx_IgnAdvLimit] = 40;
    const Typed cases[] = {
        {"injection limit", 2, 'C', 5, "300", 4, 236, '6', 5, 255, "255"},
        {"injection AMP cut to four characters", 2, 'A', 3, "1.234", 4, 236, '6', 131, 157, "1.23"},
        {"negative analog cell", 1, 'C', 20, "-5", 4, 236, '5', 148, 251, "-5"},
        {"analog cell beyond the limit", 1, 'C', 21, "-130", 4, 236, '5', 149, 129, "-127"},
        {"analog AMP", 1, 'A', 2, "0.5", 4, 236, '6', 162, 128, ".50"},
        {"ignition at the advance limit", 3, 'C', 37, "20", 4, 236, '5', 37, 40, "14"},
        {"ignition within the limits", 3, 'C', 38, "-10", 4, 200, '5', 38, 228, "-10"},
        {"ignition at the retard limit", 3, 'C', 39, "-10", 4, 236, '5', 39, 236, "-7"},
        {"ignition with six cylinders", 3, 'C', 40, "10", 6, 236, '5', 40, 40, "9"},
        {"ignition AMP row", 3, 'A', 4, "-5", 4, 236, '6', 148, 242, "-5"},
    };
    for (const Typed& c : cases) {
        ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(c.cylinders);
        ParamBlock[Idx_IgnRetLimit] = static_cast<std::int16_t>(c.retard);
        SendRequests.clear();
        select(c.tab, c.kind, c.index);
        enter(QString::fromLatin1(c.keys));
        ImageTable& page = c.page == '5' ? Map5Image : Map6Image;
        EXPECT_EQ(page[c.address], c.byte) << c.name;
        QLineEdit* box = c.kind == 'A' ? w.TxtAMP[c.index] : w.Txt128[c.index];
        EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(requests(), std::vector<QByteArray>{cellFrame(c.page, c.address, c.byte)})
            << c.name;
        EXPECT_EQ(SendPending, 1) << c.name;
        EXPECT_EQ(w.txtEnter->text(), QString()) << c.name;
        EXPECT_EQ(EditField, c.kind == 'A' ? 2 : 1) << "the selection stays: " << c.name;
    }
}

TEST_F(EntryTest, LimitsShowAtTheNextKey) {
    frmMain& w = openOnline();
    select(2, 'C', 5);
    QTest::keyClicks(w.txtEnter, QStringLiteral("300"));
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("300"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("25")) << "limited to 255, then the backspace";
    QTest::keyClicks(w.txtEnter, QStringLiteral("12"));
    key(Qt::Key_Space);
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("251 ")) << "the 2 goes, the blank is typed";
    key(Qt::Key_Return);
    EXPECT_EQ(Map6Image[5], 251);
    QTest::keyClicks(w.txtEnter, QStringLiteral("--"));
    key(Qt::Key_3);
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("3")) << "two minus signs are no number";
}

TEST_F(EntryTest, KeypadAndMainKeyboardDigitsMinusAndPoint) {
    frmMain& w = openOnline();
    ParamBlock[Idx_Cylinders] = 4;
    ParamBlock[Idx_IgnAdvLimit] = 40;
    ParamBlock[Idx_IgnRetLimit] = 200;
    select(3, 'C', 6);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    key(Qt::Key_1, Qt::KeypadModifier);
    key(Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("-10"));
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Map5Image[6], 228);

    // The full stop is accepted; the keypad's decimal key takes the last character.
    select(2, 'A', 1);
    QTest::keyClicks(w.txtEnter, QStringLiteral("1.5"));
    key(Qt::Key_Return);
    EXPECT_EQ(Map6Image[129], 192);
    key(Qt::Key_1);
    key(Qt::Key_Period, Qt::KeypadModifier);
    key(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral(".5"));
    key(Qt::Key_Return);
    EXPECT_EQ(Map6Image[129], 64);
}

TEST_F(EntryTest, EnterWithoutANumberWritesNothing) {
    frmMain& w = openOnline();
    for (int k = 0; k < 16; ++k)
        Map6Image[k] = 9;
    select(2, 'C', 5);
    enter(QStringLiteral("12"));
    ASSERT_EQ(Map6Image[5], 12);
    SendRequests.clear();
    for (const char* keys : {"", "-", ".", "--"}) {
        w.txtEnter->clear();
        enter(QString::fromLatin1(keys));
        EXPECT_EQ(Map6Image[5], 12) << '"' << keys << '"';
        EXPECT_EQ(w.Txt128[5]->text(), QStringLiteral("12")) << '"' << keys << '"';
        EXPECT_TRUE(requests().empty()) << '"' << keys << '"';
    }
    // Nor a column.
    column(true);
    w.txtEnter->clear();
    enter(QString());
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(Map6Image[k], k == 5 ? 12 : 9) << k;
    EXPECT_TRUE(requests().empty());
}

TEST_F(EntryTest, EnterWithNothingSelectedDoesNothing) {
    frmMain& w = openOnline();
    const ImageTable before5 = Map5Image;
    const ImageTable before6 = Map6Image;
    std::vector<QString> texts;
    for (QLineEdit* box : w.Txt128)
        texts.push_back(box->text());
    w.txtEnter->setText(QStringLiteral("50"));
    key(Qt::Key_Return);
    EXPECT_EQ(Map5Image, before5);
    EXPECT_EQ(Map6Image, before6);
    EXPECT_TRUE(requests().empty());
    for (int k = 0; k < 128; ++k)
        EXPECT_EQ(w.Txt128[k]->text(), texts[static_cast<std::size_t>(k)]) << k;
}

TEST_F(EntryTest, OffLineAnEntryChangesTheImageOnly) {
    frmMain& w = openOnline();
    OnlineState = QStringLiteral("Offline");
    select(2, 'C', 9);
    enter(QStringLiteral("77"));
    EXPECT_EQ(Map6Image[9], 77);
    EXPECT_TRUE(requests().empty());
    EXPECT_EQ(w.StatusPanel[1]->text(), SendRule::OfflineNotice) << "and says so";
}

TEST_F(EntryTest, TwoQuickEditsAreBothQueuedInOrder) {
    openOnline();
    select(2, 'C', 9);
    enter(QStringLiteral("77"));
    select(3, 'C', 9);
    enter(QStringLiteral("0"));
    select(2, 'C', 10);
    enter(QStringLiteral("78"));
    EXPECT_EQ(requests(), (std::vector<QByteArray>{cellFrame('6', 9, 77), cellFrame('5', 9, 0),
                                                   cellFrame('6', 10, 78)}));
}

TEST_F(EntryTest, TheAfrRowIsShownNotEditedAndPassedBy) {
    frmMain& w = openOnline();
    w.Select_Tab(3);
    QStringList shown;
    for (QLineEdit* box : w.txtAfrT) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
        shown << box->text();
    }
    click(w.Txt128[37]);
    click(w.txtAfrT[2]);
    EXPECT_EQ(EditField, 1) << "the click selects nothing";
    EXPECT_EQ(SelCell, 37);
    EXPECT_EQ(colour(w.Txt128, 37), 'G');
    EXPECT_EQ(colours(w.txtAfrT, 0, 8), QStringLiteral("WWWWWWWW"));
    EXPECT_EQ(w.StatusPanel[1]->text(), CellEntry::AfrRowNotice);
    // What is typed goes to the selected cell, the AFR row keeps its texts.
    enter(QStringLiteral("12"));
    EXPECT_EQ(w.Txt128[37]->text(), QStringLiteral("12"));
    QStringList after;
    for (QLineEdit* box : w.txtAfrT)
        after << box->text();
    EXPECT_EQ(after, shown);
    EXPECT_EQ(requests().size(), 1u);
}

TEST_F(EntryTest, ColumnEntriesWriteOneRowFrame) {
    frmMain& w = openOnline();
    ParamBlock[Idx_Cylinders] = 4;
    ParamBlock[Idx_IgnAdvLimit] = 40;
    struct Case {
        const char* name;
        int tab;
        char kind;
        int index;
        const char* keys;
        QByteArray frame;
        int first; // the first box written
        const char* text;
    };
    const Case cases[] = {
        {"analog column 3", 1, 'C', 37, "10", rowFrame('=', 160, 10), 32, "10"},
        {"analog column truncates after the wrap", 1, 'C', 33, "-5.5", rowFrame('=', 160, 250), 32,
         "-6"},
        {"injection column 2", 2, 'C', 20, "7", rowFrame('>', 16, 7), 16, "7"},
        {"ignition column 1, padded", 3, 'C', 5, "5", rowFrame('=', 0, 14) + QByteArray(31, '\0'),
         0, "5"},
        {"injection AMP column", 2, 'A', 3, "1", rowFrame('>', 128, 128), 0, "1.00"},
        {"ignition AMP column", 3, 'A', 9, "-5", rowFrame('>', 144, 242), 0, "-5"},
    };
    column(true);
    for (const Case& c : cases) {
        SendRequests.clear();
        select(c.tab, c.kind, c.index);
        enter(QString::fromLatin1(c.keys));
        ASSERT_EQ(SendRequests.size(), 1u) << c.name;
        EXPECT_EQ(SendRequests.front().kind, SendKind::Queue) << c.name;
        EXPECT_EQ(requests(), std::vector<QByteArray>{c.frame}) << c.name;
        const int base = static_cast<unsigned char>(c.frame[1]);
        const int byte = static_cast<unsigned char>(c.frame[2]);
        ImageTable& page = c.frame[0] == '=' ? Map5Image : Map6Image;
        for (int k = 0; k < 16; ++k) {
            EXPECT_EQ(page[base + k], byte) << c.name << " " << k;
            QLineEdit* box = c.kind == 'A' ? w.TxtAMP[c.first + k] : w.Txt128[c.first + k];
            EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.name << " " << k;
        }
    }
    EXPECT_EQ(requests().front().size(), 19);
}

TEST_F(EntryTest, AnEntryFailureIsReported) {
    openOnline();
    select(2, 'C', 5);
    SelCell = 300; // no such box
    enter(QStringLiteral("5"));
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records().front().title,
              QStringLiteral("Unable to download to the KVR6 Unit !!"));
    EXPECT_TRUE(dialogs.records().front().text.startsWith(
        QStringLiteral("A unexpected error occured in the download process. \r\r")));
    EXPECT_TRUE(requests().empty());
}
