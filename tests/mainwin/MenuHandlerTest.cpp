#include "tests/mainwin/MainTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>

TEST_F(MainTest, CopyMapPutsTheShownGridOnTheClipboard) {
    frmMain& w = load();
    w.arrange_table(); // the RPM labels back at " ? "
    const std::array<QString, 8> row3{"7", "15", "120", "255", "", "44", "33", "99"};
    for (int k = 0; k < 8; ++k)
        w.Txt128[k * 16 + 3]->setText(row3[k]);
    w.lblrpm[3]->setText(QStringLiteral("2500"));
    w.Txt128[15]->setText(QStringLiteral("5"));
    w.mnuCopy->trigger();
    const QString text = QApplication::clipboard()->text();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 17); // 16 lines, each ended by CR LF, nothing after the last
    EXPECT_TRUE(lines[16].isEmpty());
    EXPECT_EQ(text.count(QChar(13)), 16) << "no CR without its LF";
    EXPECT_EQ(text.count(QChar(10)), 16) << "no LF without its CR";
    EXPECT_EQ(lines[12], QStringLiteral("3), 007, 015, 120, 255, 000, 044, 033, 099,   ,  2500"));
    // Row 15 first; a label still at " ? " keeps its blanks.
    EXPECT_EQ(lines[0], QStringLiteral("15), 005, 000, 000, 000, 000, 000, 000, 000,   ,    ? "));
}

TEST_F(MainTest, ClosingTheMainWindowClosesEveryOtherWindow) {
    frmMain& w = load();
    w.show();
    QWidget other;
    other.show();
    ASSERT_TRUE(other.isVisible());
    w.close();
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(w.C_Pause->isActive());
}

TEST_F(MainTest, ExitUnloadsTheWindow) {
    frmMain& w = load();
    w.show();
    QWidget other;
    other.show();
    w.mnuExit->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(other.isVisible());
}
