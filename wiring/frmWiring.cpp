#include "wiring/frmWiring.h"

#include "core/Caption.h"
#include "mainwin/Design.h"
#include "mainwin/MainWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"
#include "wiring/WiringPdf.h"

#include <QKeySequence>
#include <QPdfDocument>
#include <QPdfView>
#include <QShortcut>
#include <algorithm>

namespace {

constexpr int TwipsPerPixel = 15;

} // namespace

frmWiring::frmWiring() {
    setObjectName(QStringLiteral("frmWiring"));
    resize(Design::px(10815), Design::px(7545));
    Document = new QPdfDocument(this);
    Pdf1 = new QPdfView(this);
    Pdf1->setObjectName(QStringLiteral("Pdf1"));
    Design::place(Pdf1, 0, 0, 10815, 7575);
    Pdf1->setPageMode(QPdfView::PageMode::MultiPage);
    Pdf1->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto shortcut = [this](const QKeySequence& keys, auto&& action) {
        Step::Connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence::ZoomIn, [this] { Zoom_By(1.25); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { Zoom_By(1.25); });
    shortcut(QKeySequence::ZoomOut, [this] { Zoom_By(0.8); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0),
             [this] { Pdf1->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    Form_Load();
}

frmWiring::~frmWiring() {
    Form_Unload();
}

void frmWiring::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmWiring"));
    Problem = Wiring::Load_Pdf(ProgramFolder::file(Wiring::WiringFile), *Document);
    Pdf1->setDocument(Problem.isEmpty() ? Document : nullptr);
}

void frmWiring::Form_Resize() {
    const QSize outer = frameGeometry().size() * TwipsPerPixel;
    if (const auto size = Wiring::Viewer_Size(outer))
        Pdf1->resize(Design::px(size->width()), Design::px(size->height()));
}

void frmWiring::Form_Unload() {
    Main().Show_Main(true);
}

void frmWiring::resizeEvent(QResizeEvent* event) {
    Step::Run([&] {
        SelfUnloadingWindow::resizeEvent(event);
        Form_Resize();
    });
}

void frmWiring::Zoom_By(double factor) {
    const double now = Pdf1->zoomFactor();
    Pdf1->setZoomMode(QPdfView::ZoomMode::Custom);
    Pdf1->setZoomFactor(std::clamp(now * factor, 0.1, 8.0));
}
