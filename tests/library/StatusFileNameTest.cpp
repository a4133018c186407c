// The file name in the status bar is the current map's: after the current file
// is renamed in the map-file editor, or its map saved under another name, the
// panel names the new file. Through the real library windows.

#include "WindowTestSupport.h"

#include "link/SendRule.h"
#include "tests/support/CaseNames.h"

#include <QLabel>

namespace {

struct RenameCase {
    const char* name;
    bool saveAs; // Save As with a new name, else Edit renaming the loaded file
    const char* shown;
};

class TheStatusBarNamesTheCurrentFile : public LibraryWindowTest,
                                        public ::testing::WithParamInterface<RenameCase> {};

} // namespace

TEST_P(TheStatusBarNamesTheCurrentFile, AfterARenameOrASaveAs) {
    const RenameCase& c = GetParam();
    writeTune(QStringLiteral("Old.kvr"), 9);
    frmMain& w = openWired();
    const QLabel& panel = *w.StatusPanel[SendRule::NoticePanel];
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Old.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    EXPECT_EQ(panel.text(), QStringLiteral("File Name : Old.kvr"));

    if (c.saveAs) {
        dialogs.file(folder.file(QStringLiteral("Copy")));
        w.mnuSaveAS->trigger();
    } else {
        frmLoadLib& again = openLibrary(w);
        clickRow(again, QStringLiteral("Old.kvr"));
        QTest::mouseClick(again.cmdEdit, Qt::LeftButton);
    }
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    if (!c.saveAs)
        type(ed.txtFields[1], QStringLiteral("Renamed"));
    type(ed.txtFields[3], QStringLiteral("Road"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.text() == QLatin1String(c.shown); }, 3000))
        << panel.text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Ways, TheStatusBarNamesTheCurrentFile,
                         ::testing::Values(RenameCase{"rename", false, "File Name : Renamed.kvr"},
                                           RenameCase{"save as", true, "File Name : Copy.kvr"}),
                         By_Case_Name());
