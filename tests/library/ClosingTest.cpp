// Closing the program, by Exit or by the title bar, asks first while the map
// holds edits made off-line that no file keeps and the unit does not hold; No,
// the default, keeps the program open. Nothing asks when nothing would be lost.
// Driven through the real menu, the real window close and the real save.

#include "WindowTestSupport.h"

#include "tests/support/CaseNames.h"

#include <QMenuBar>
#include <QPointer>
#include <QWindow>
#include <new>

namespace {

const QString Question = QStringLiteral("Changes not saved");

struct CloseWay {
    const char* name;
    std::function<void(frmMain&)> close;
};

// Exit as the user picks it: the File title clicked, then its Exit entry.
void Exit_From_Menu(frmMain& w) {
    QMenuBar* bar = w.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(w.mnuFile).center());
    QMenu* file = w.mnuFileMenu;
    if (!QTest::qWaitForWindowExposed(file)) {
        ADD_FAILURE() << "the File menu did not open";
        return;
    }
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(w.mnuExit).center());
}

const CloseWay ByExit{"Exit in the File menu", Exit_From_Menu};
// The title bar's close box: the window system closes the window.
const CloseWay ByTitleBar{"the title bar's close box",
                          [](frmMain& w) { w.windowHandle()->close(); }};
const CloseWay ByClose{"the window closed", [](frmMain& w) { w.close(); }};

class Closing : public LibraryWindowTest {
public:
    // Types a value into cell n of the shown map that differs from the one it holds.
    void editCell(frmMain& w, int n) {
        const int now = w.Txt128[n]->text().toInt();
        before_ = w.Txt128[n]->text();
        click(w.Txt128[n]);
        enter(QString::number(now == 77 ? 78 : 77));
    }
    // Types the value the last edited cell held before back into it.
    void typeBack(frmMain& w, int n) {
        click(w.Txt128[n]);
        enter(before_);
    }
    // Save As under the name given, the editor's Update clicked.
    void saveAs(frmMain& w, const QString& name) {
        dialogs.file(folder.file(name));
        w.mnuSaveAS->trigger();
        ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
        QTest::mouseClick(FormInstance<frmLibEdit>::get().cmdUpdate, Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
        ASSERT_TRUE(folder.exists(name + QStringLiteral(".kvr")));
    }
    void loadFromLibrary(frmMain& w, const QString& name) {
        frmLoadLib& lib = openLibrary(w);
        clickRow(lib, name);
        QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    }

protected:
    std::vector<Dialogs::ScriptedProvider::Record> questions() const {
        std::vector<Dialogs::ScriptedProvider::Record> q;
        for (const auto& r : dialogs.records())
            if (r.title == Question)
                q.push_back(r);
        return q;
    }
    QString before_;
};

class EveryWayOfClosing : public Closing, public ::testing::WithParamInterface<CloseWay> {};

} // namespace

TEST_P(EveryWayOfClosing, AsksFirstAndNoKeepsTheProgramOpen) {
    frmMain& w = openWired();
    editCell(w, 5);
    ASSERT_GT(OfflineEdits, 0);
    const QString edited = w.Txt128[5]->text();
    QWidget other;
    other.show();

    GetParam().close(w); // no answer scripted: Enter's, the default
    ASSERT_EQ(questions().size(), 1u);
    const auto q = questions()[0];
    EXPECT_TRUE(q.text.contains(QStringLiteral("changes made off-line")) &&
                q.text.contains(QStringLiteral("saved in no file")) &&
                q.text.contains(QStringLiteral("not been sent to the unit")))
        << q.text.toStdString();
    EXPECT_EQ(q.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(q.defaultButton, Dialogs::DefaultButton::Second);
    EXPECT_TRUE(w.isVisible()) << "No keeps the program open";
    EXPECT_TRUE(other.isVisible()) << "and its other windows";
    EXPECT_EQ(w.Txt128[5]->text(), edited);

    // Asked again, Yes closes it.
    dialogs.answer(Dialogs::Answer::Yes);
    GetParam().close(w);
    EXPECT_EQ(questions().size(), 2u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(other.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, EveryWayOfClosing, ::testing::Values(ByExit, ByTitleBar, ByClose),
                         By_Case_Name());

namespace {

struct NothingLost {
    const char* name;
    bool online;
    std::function<void(Closing&, frmMain&)> before;
};

class NothingWouldBeLost : public Closing,
                           public ::testing::WithParamInterface<std::tuple<NothingLost, CloseWay>> {
};

} // namespace

TEST_P(NothingWouldBeLost, ClosesWithoutAsking) {
    const auto& [c, way] = GetParam();
    writeTune(QStringLiteral("a.kvr"), 1);
    frmMain& w = c.online ? openOnlineWired() : openWired();
    c.before(*this, w);
    QWidget other;
    other.show();
    way.close(w);
    EXPECT_TRUE(questions().empty()) << questions()[0].text.toStdString();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(other.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NothingWouldBeLost,
    ::testing::Combine(
        ::testing::Values(NothingLost{"no edit", false, [](Closing&, frmMain&) {}},
                          NothingLost{"an edit typed back", false,
                                      [](Closing& t, frmMain& w) {
                                          t.editCell(w, 9);
                                          t.typeBack(w, 9);
                                      }},
                          NothingLost{"the edits saved to a file", false,
                                      [](Closing& t, frmMain& w) {
                                          t.editCell(w, 9);
                                          t.saveAs(w, QStringLiteral("Mine"));
                                      }},
                          NothingLost{"a library map loaded over the edits", false,
                                      [](Closing& t, frmMain& w) {
                                          t.editCell(w, 9);
                                          t.loadFromLibrary(w, QStringLiteral("a.kvr"));
                                      }},
                          NothingLost{"the edits made on-line, sent to the unit", true,
                                      [](Closing& t, frmMain& w) {
                                          t.editCell(w, 9);
                                          EXPECT_TRUE(Wait_Link_Settled());
                                      }}),
        ::testing::Values(ByExit, ByTitleBar)),
    [](const ::testing::TestParamInfo<std::tuple<NothingLost, CloseWay>>& info) {
        return Case_Name(std::string(std::get<0>(info.param).name) + " then " +
                         std::get<1>(info.param).name);
    });

namespace {

// The scripted dialogs, whose first closing question fails as memory that runs
// short would fail building the box.
class QuestionFailingOnce : public Dialogs::Provider {
public:
    explicit QuestionFailingOnce(Dialogs::ScriptedProvider& script) : script_(script) {
        Dialogs::install(this);
    }
    ~QuestionFailingOnce() override { Dialogs::install(&script_); }
    int failures = 0;
    Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons buttons,
                            Dialogs::Icon icon, Dialogs::DefaultButton defaultButton) override {
        if (title == Question && failures++ == 0)
            throw std::bad_alloc();
        return script_.message(title, text, buttons, icon, defaultButton);
    }
    QString openFile(const Dialogs::FileRequest& r) override { return script_.openFile(r); }
    QString saveFile(const Dialogs::FileRequest& r) override { return script_.saveFile(r); }
    QString chooseFolder(const Dialogs::FileRequest& r) override { return script_.chooseFolder(r); }

private:
    Dialogs::ScriptedProvider& script_;
};

} // namespace

// The title bar's close stopped by an error is told, the program stays open with
// its edits, and windows close and are built as before.
TEST_F(Closing, AnErrorWhileAskingIsToldAndTheProgramStaysOpen) {
    frmMain& w = openWired();
    editCell(w, 5);
    // Deleted once closed, as the program's main window is.
    w.setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<frmMain> alive = window.release();
    const QString edited = w.Txt128[5]->text();
    QWidget other;
    other.show();
    {
        QuestionFailingOnce failing(dialogs);
        w.windowHandle()->close();
        ASSERT_EQ(failing.failures, 1);
        ASSERT_TRUE(QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000));
    }
    ASSERT_FALSE(dialogs.records().empty());
    EXPECT_EQ(dialogs.records().back().title, QStringLiteral("Step not finished"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive.isNull()) << "the main window went with its edits";
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(other.isVisible());
    EXPECT_EQ(w.Txt128[5]->text(), edited);

    // Windows are built and closed again.
    frmLoadLib& lib = openLibrary(w);
    lib.close();
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    other.close();
    // The next close asks, and Yes closes the program.
    dialogs.answer(Dialogs::Answer::Yes);
    w.windowHandle()->close();
    EXPECT_EQ(questions().size(), 1u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    delete alive.data();
}
