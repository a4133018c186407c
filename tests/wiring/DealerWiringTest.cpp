// The dealer contact window, opened by a click on the main window's logo, and the
// wiring-diagram viewer, opened from the main window's menu, with real files.

#include "tests/library/LibraryTestSupport.h"
#include "tests/library/WindowTestSupport.h"

#include "core/DealerSettings.h"
#include "tests/support/NoPermissionOverride.h"
#include "tests/support/Screenshots.h"
#include "wiring/Entries.h"
#include "wiring/WiringPdf.h"
#include "wiring/frmName.h"
#include "wiring/frmWiring.h"

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPdfWriter>

namespace {

// A PDF drawn now: pages each with a large black frame and their number.
QByteArray makePdf(int pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A5));
        QPainter p(&writer);
        for (int n = 1; n <= pages; ++n) {
            if (n > 1)
                writer.newPage();
            const QRect r = p.viewport().adjusted(100, 100, -100, -100);
            p.setPen(QPen(Qt::black, 40));
            p.drawRect(r);
            p.setFont(QFont(QStringLiteral("DejaVu Sans"), 40));
            p.drawText(r, Qt::AlignCenter, QStringLiteral("Page %1").arg(n));
        }
    }
    return bytes;
}

class WiringPdfTest : public LibraryTest {};

class DealerWiringTest : public LibraryWindowTest {
protected:
    void wireEntries(frmMain& w) override {
        LibraryWindowTest::wireEntries(w);
        Wiring::Wire_Entries(w);
    }
    void writeDealer(int branding) {
        folder.writeLines(
            QStringLiteral("kvrDealer.cfg"),
            {"KAVRO TUNER KVR6 Dealer Settings", "", "Company Id(32): Fast Lane Motors",
             "Owner Name(24): Sam Spanner", "Phone Number: 011 555 0100",
             "Fax Number: 011 555 0101", "E-mail: shop@fastlane.example",
             "Web: www.fastlane.example", "", "No Tune y/n: n", "Branding y/n: y",
             "Adv branding: " + QString::number(branding), "",
             "Adv Branding: 0 = maker logo, 1 or 2 = dealer logo", "Port=1", "CommSpeed=100"});
        WtsGeneral::Read_Dealer_Settings();
    }
    static QPoint centre(QWidget* w) { return w->rect().center(); }
};

} // namespace

TEST_F(WiringPdfTest, APdfMadeNowLoadsAndBadFilesAreNamedInPlainWords) {
    const QByteArray pdf = makePdf(2);
    folder.write(QStringLiteral("good.pdf"), pdf);
    folder.write(QStringLiteral("cut.pdf"), pdf.left(pdf.size() / 2));
    folder.write(QStringLiteral("empty.pdf"), QByteArray());
    folder.write(QStringLiteral("text.pdf"), "These are no wiring diagrams.\n%%EOF\n");
    QDir(folder.path()).mkdir(QStringLiteral("folder.pdf"));
    QPdfDocument document;
    EXPECT_EQ(Wiring::Load_Pdf(folder.file(QStringLiteral("good.pdf")), document), QString());
    EXPECT_EQ(document.status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(document.pageCount(), 2);

    const std::vector<std::pair<const char*, const char*>> bad{{"missing.pdf", "missing"},
                                                               {"cut.pdf", "damaged"},
                                                               {"empty.pdf", "empty"},
                                                               {"text.pdf", "no PDF"},
                                                               {"folder.pdf", "non-file"}};
    for (const auto& [name, words] : bad) {
        const QString problem = Wiring::Load_Pdf(folder.file(QString::fromLatin1(name)), document);
        EXPECT_TRUE(problem.contains(QString::fromLatin1(words))) << name << ": " << problem;
        EXPECT_EQ(document.pageCount(), 0) << name;
    }

    QFile locked(folder.file(QStringLiteral("good.pdf")));
    ASSERT_TRUE(locked.setPermissions(QFile::WriteOwner));
    {
        NoPermissionOverride asAnyUser;
        ASSERT_TRUE(asAnyUser.active());
        EXPECT_EQ(Wiring::Load_Pdf(locked.fileName(), document),
                  QStringLiteral("it cannot be read: Permission denied"));
    }
    locked.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(WiringPdfTest, TheShippedDiagramsOpen) {
    folder.copyData(Wiring::WiringFile);
    QPdfDocument document;
    EXPECT_EQ(Wiring::Load_Pdf(folder.file(Wiring::WiringFile), document), QString());
    EXPECT_EQ(document.pageCount(), 2);
    for (int page = 0; page < 2; ++page) {
        const QImage image = document.render(page, QSize(1123, 794));
        EXPECT_FALSE(image.isNull()) << page;
        image.save(Screenshot_Path(QStringLiteral("wiring-shipped-%1.png").arg(page + 1)));
    }
}

TEST(WiringViewerSize, FollowsTheWindowAboveTheLowestHeight) {
    EXPECT_EQ(Wiring::Viewer_Size({2000, 1000}), QSize(1880, 625));
    EXPECT_EQ(Wiring::Viewer_Size({10935, 7920}), QSize(10815, 7545));
    EXPECT_EQ(Wiring::Viewer_Size({2000, 376}), QSize(1880, 1));
    EXPECT_EQ(Wiring::Viewer_Size({2000, 375}), std::nullopt);
    EXPECT_EQ(Wiring::Viewer_Size({2000, 0}), std::nullopt);
}

TEST_F(DealerWiringTest, TheViewerShowsTheDiagramsAndClosingShowsTheMainWindow) {
    folder.write(Wiring::WiringFile, makePdf(3));
    frmMain& w = openWired();
    ASSERT_TRUE(w.mnuWire->isEnabled());
    w.mnuWire->trigger();
    ASSERT_TRUE(FormInstance<frmWiring>::loaded());
    frmWiring& v = FormInstance<frmWiring>::get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    EXPECT_TRUE(dialogs.records().empty());
    EXPECT_EQ(v.windowTitle(), QStringLiteral("KVR6 - Wiring Diagrams   by Fast Lane Motors"));
    EXPECT_EQ(v.Pdf1->document(), v.Document);
    EXPECT_EQ(v.Document->status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(v.Document->pageCount(), 3);
    // The viewer fills the window as the window's size gives it.
    const auto fills = [&v] {
        const QSize outer = v.frameGeometry().size();
        return v.Pdf1->size() == outer - QSize(Design::px(120), Design::px(375));
    };
    EXPECT_TRUE(fills());
    v.resize(Design::px(2000), Design::px(1000));
    EXPECT_TRUE(fills());
    v.resize(Design::px(10815), Design::px(7545));
    EXPECT_TRUE(fills());

    // One page painted: the frame drawn at test time shows dark in the view.
    QTest::qWait(50);
    const QImage shot = v.grab().toImage();
    shot.save(Screenshot_Path(QStringLiteral("wiring-viewer.png")));
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            dark += qGray(shot.pixel(x, y)) < 64;
    EXPECT_GT(dark, 200) << "the page's frame is painted";

    // Zoom by keys; Ctrl+0 fits the width again.
    v.Pdf1->setFocus();
    QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(v.Pdf1->zoomMode(), QPdfView::ZoomMode::Custom);
    EXPECT_LT(v.Pdf1->zoomFactor(), 1.0);
    QTest::keyClick(&v, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(v.Pdf1->zoomMode(), QPdfView::ZoomMode::FitToWidth);

    // Closing it leaves the main window visible, also when it was hidden.
    w.hide();
    v.close();
    EXPECT_TRUE(Wait_Unloaded<frmWiring>());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(DealerWiringTest, AMissingOrDamagedDiagramFileIsToldAndNoEmptyViewerOpens) {
    // No file at start: the entry is disabled.
    {
        frmMain& w = openWired();
        EXPECT_FALSE(w.mnuWire->isEnabled());
    }
    const QByteArray pdf = makePdf(1);
    folder.write(Wiring::WiringFile, pdf);
    frmMain& w = openWired();
    ASSERT_TRUE(w.mnuWire->isEnabled());

    struct Case {
        const char* what;
        std::function<void()> spoil;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"cut in half", [&] { folder.write(Wiring::WiringFile, pdf.left(pdf.size() / 2)); },
         "it is damaged or is no PDF document"},
        {"removed", [&] { QFile::remove(folder.file(Wiring::WiringFile)); },
         "the file is missing from the program folder"}};
    for (const Case& c : cases) {
        c.spoil();
        dialogs.clear();
        w.mnuWire->trigger();
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        EXPECT_EQ(dialogs.records()[0].text,
                  QStringLiteral("The wiring diagram file \"wiring diagrams.pdf\" could not be "
                                 "shown (") +
                      QString::fromLatin1(c.reason) +
                      QStringLiteral("). Put a readable copy of it into the program folder to "
                                     "see the wiring diagrams."))
            << c.what;
        EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Wiring Diagrams"));
        EXPECT_FALSE(FormInstance<frmWiring>::loaded()) << c.what;
        EXPECT_TRUE(w.isVisible());
    }
}

TEST_F(DealerWiringTest, TheDealerWindowShowsTheSixValuesAndTheLogoOfTheBranding) {
    writeDealer(1);
    frmMain& w = openWired();
    ASSERT_TRUE(w.PicLogo[1]->isVisible());
    QTest::mouseClick(w.PicLogo[1], Qt::LeftButton, {}, centre(w.PicLogo[1]));
    ASSERT_TRUE(FormInstance<frmName>::loaded());
    frmName& d = FormInstance<frmName>::get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("KVR6 - Contact Deatils   by Fast Lane Motors"));
    const QStringList values{"Fast Lane Motors", "Sam Spanner",           "011 555 0100",
                             "011 555 0101",     "shop@fastlane.example", "www.fastlane.example"};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(d.lblCon[k]->text(), values[k]) << k;
    EXPECT_EQ(d.Label[1]->text(), QStringLiteral("Company Address :"));

    // Each branding level: its logo, or none.
    const std::array<std::pair<int, std::array<bool, 2>>, 4> levels{
        {{0, {false, false}}, {1, {true, false}}, {2, {false, true}}, {3, {false, false}}}};
    for (const auto& [level, shown] : levels) {
        AdvBranding = level;
        FormInstance<frmName>::unload();
        frmName& n = FormInstance<frmName>::open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&n));
        EXPECT_EQ(n.Picture1[0]->isVisible(), shown[0]) << level;
        EXPECT_EQ(n.Picture1[1]->isVisible(), shown[1]) << level;
        n.grab().save(Screenshot_Path(QStringLiteral("dealer-window-%1.png").arg(level)));
    }

    // OK by the keyboard closes it.
    frmName& n = FormInstance<frmName>::get();
    n.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&n));
    QTest::keyClick(n.cmdOK, Qt::Key_Space);
    EXPECT_TRUE(Wait_Unloaded<frmName>());
}

TEST_F(DealerWiringTest, TheLogoOpensTheDealerWindowOnlyWithBranding) {
    for (const int level : {0, 2, 3}) {
        writeDealer(level);
        frmMain& w = openWired();
        const int shown = level == 1 || level == 2 ? level : 0;
        ASSERT_TRUE(w.PicLogo[shown]->isVisible()) << level;
        QTest::mouseClick(w.PicLogo[shown], Qt::LeftButton, {}, centre(w.PicLogo[shown]));
        EXPECT_EQ(FormInstance<frmName>::loaded(), level >= 1) << level;
        FormInstance<frmName>::unload();
    }
}

// What the dealer file holds is shown as written: "<b>" is no markup.
TEST_F(DealerWiringTest, TheDealerTextsShowAsPlainText) {
    folder.writeLines(QStringLiteral("kvrDealer.cfg"),
                      {"KAVRO TUNER KVR6 Dealer Settings", "", "Company Id(32): <b>Fast</b> Lane",
                       "Owner Name(24): Sam <i>Spanner</i>", "Phone Number: 011 555 0100",
                       "Fax Number: 011 555 0101", "E-mail: <a href=\"x\">shop</a>",
                       "Web: www.fastlane.example", "", "No Tune y/n: n", "Branding y/n: y",
                       "Adv branding: 1", "", "Adv Branding: 0 = maker logo", "Port=1",
                       "CommSpeed=100"});
    WtsGeneral::Read_Dealer_Settings();
    frmMain& w = openWired();
    QTest::mouseClick(w.PicLogo[1], Qt::LeftButton, {}, centre(w.PicLogo[1]));
    ASSERT_TRUE(FormInstance<frmName>::loaded());
    frmName& d = FormInstance<frmName>::get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    for (int k : {0, 1, 4}) {
        QLabel* label = d.lblCon[k];
        // Drawn as markup, the tags would take no room and the words would be
        // bold or a link; as text, the label needs the room of every character.
        const int written = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_GE(label->sizeHint().width(), written) << label->text().toStdString();
        EXPECT_TRUE(label->text().contains('<')) << k;
    }
    d.grab().save(Screenshot_Path(QStringLiteral("dealer-window-plain-text.png")));
}

// Data after the end mark (many writers leave some) is the PDF component's to
// judge: the diagrams open.
TEST_F(DealerWiringTest, ADiagramFileWithDataAfterItsEndMarkIsShown) {
    QByteArray pdf = makePdf(2);
    pdf += QByteArray(4096, '\n');
    folder.write(Wiring::WiringFile, pdf);
    frmMain& w = openWired();
    ASSERT_TRUE(w.mnuWire->isEnabled());
    dialogs.clear();
    w.mnuWire->trigger();
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(FormInstance<frmWiring>::loaded());
    frmWiring& v = FormInstance<frmWiring>::get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    EXPECT_EQ(v.Pdf1->document(), v.Document);
    EXPECT_EQ(v.Document->pageCount(), 2);
    // The first page is painted: its frame shows dark in the view.
    const auto dark = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                n += qGray(image.pixel(x, y)) < 64;
        return n;
    };
    QImage shot;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            shot = v.grab().toImage();
            return dark(shot) > 200;
        },
        5000));
    shot.save(Screenshot_Path(QStringLiteral("wiring-trailing-data.png")));
    EXPECT_GT(dark(v.Document->render(1, QSize(420, 595))), 200) << "the second page too";
}
