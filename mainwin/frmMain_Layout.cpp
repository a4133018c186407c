// The main window's controls at their designed places, the grid layout, the
// run-time captions and the tab strip.

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SendRule.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/Design.h"
#include "mainwin/Logos.h"
#include "mainwin/MainState.h"
#include "mainwin/StripChart.h"
#include "mainwin/frmMain.h"

#include "mainwin/CellFit.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

using Design::place;

namespace {

QLabel* label(QWidget* parent, const QString& caption, int l, int t, int w, int h,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* lbl = new QLabel(caption, parent);
    place(lbl, l, t, w, h);
    lbl->setAlignment(align);
    return lbl;
}

QFrame* frame(QWidget* parent, int l, int t, int w, int h, bool border) {
    auto* f = new QFrame(parent);
    place(f, l, t, w, h);
    if (border)
        f->setFrameStyle(QFrame::Box | QFrame::Plain);
    return f;
}

QLineEdit* textBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Design::setBackColor(box, Design::bgr(Design::PlainCell));
    return box;
}

QFont boldOf(QFont f) {
    f.setBold(true);
    return f;
}

} // namespace

frmMain::frmMain() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KVR6"));
    Build_Controls();
    Build_Menus();
    Connect_Handlers();
    Fill_Link_Hooks();
    Wire_Logging();
    Wire_Grid_Editing();
    Form_Load();
    Set_Main(this);
    // A step stopped part-way leaves no screen showing what is not so: the grid
    // is drawn anew from the image, and panel 1 says what holds now.
    Step::After_Stop = [w = QPointer<frmMain>(this)] {
        if (!w)
            return;
        w->Redraw_Shown_Map();
        SendRule::Review_Notice();
    };
}

frmMain::~frmMain() {
    Unwire_Console();
    if (&Main() == this) {
        Set_Main(nullptr);
        Step::After_Stop = {};
    }
    ResetLinkHooks();
}

void frmMain::Build_Controls() {
    auto* central = new QWidget(this);
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSizeF(8);
    central->setFont(font);
    setCentralWidget(central);
    central->setFixedSize(Design::px(14760), Design::px(6390));

    TabStrip1 = new QTabBar(central);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("Analog Map (F1)"));
    TabStrip1->addTab(QStringLiteral("Injection Map (F2)"));
    TabStrip1->addTab(QStringLiteral("Ignition Map (F3)"));
    TabStrip1->setExpanding(false);
    TabStrip1->setDrawBase(false);
    TabStrip1->setFocusPolicy(Qt::NoFocus);
    place(TabStrip1, 120, 60, 6240, 400);

    Build_Grid();
    Build_Readings();

    // Link status, the No-Tune banner and the hardware version, across the top.
    // Wide enough for the longest link state; "Go Online" stands over its end
    // only while that state is short (off-line, no answer).
    lblNoComms[0] = label(central, QStringLiteral("NO COMM'S"), 6480, 90, 3400, 300);
    lblNoComms[1] = label(central, QStringLiteral("Go Online"), 8640, 90, 1300, 300);
    lblNoComms[2] = label(central, QStringLiteral("NO TUNE Enabled"), 9900, 90, 1900, 300);
    for (QLabel* l : lblNoComms)
        l->setFont(boldOf(font));
    Design::setForeColor(lblNoComms[0], Design::bgr(0x0000C0));
    Design::setForeColor(lblNoComms[1], Design::bgr(0xC00000));
    Design::setForeColor(lblNoComms[2], Design::bgr(0x0000C0));
    lblNoComms[1]->setCursor(Qt::PointingHandCursor);
    QFont underlined = boldOf(font);
    underlined.setUnderline(true);
    lblNoComms[1]->setFont(underlined);
    lblNoComms[2]->setVisible(false);
    lblVersionCaption = label(central, QStringLiteral("Hardware Version :"), 11900, 90, 2200, 300,
                              Qt::AlignRight | Qt::AlignVCenter);
    lblVersionValue = label(central, QString(), 14140, 90, 500, 300);
    lblVersionValue->setFont(boldOf(font));

    // The strip chart: three traces over 200 positions, 39 twips apart.
    PicGraph = frame(central, 6480, 3550, 8160, 1320, true);
    Design::setBackColor(PicGraph, Design::bgr(0xFFFFFF));
    Chart = new Readouts::StripChart(PicGraph);
    place(Chart, 0, 0, 8160, 1320);
    // Its caption, the legend of the traces, sits on the frame's top edge.
    Plot_Block = label(central, QStringLiteral("Live Lambda"), 6600, 3440, 7800, 195);
    QFont legend = font;
    legend.setPointSizeF(7);
    Plot_Block->setFont(legend);
    Plot_Block->setAutoFillBackground(true);
    Plot_Block->adjustSize();

    // Live-cell stepping buttons.
    const int fTop = 4950;
    std::array<QPushButton**, 6> fButtons{&cmdF4, &cmdF5, &cmdF6, &cmdF7, &cmdF8, &cmdF9};
    for (int i = 0; i < 6; ++i) {
        *fButtons[i] = new QPushButton(central);
        place(*fButtons[i], 6480 + i * 1372, fTop, 1300, 375);
        (*fButtons[i])->setFocusPolicy(Qt::NoFocus);
    }
    cmdF4->setText(QStringLiteral("Ana Up"));
    cmdF5->setText(QStringLiteral("Ana Down"));
    cmdF6->setText(QStringLiteral("Inj Up"));
    cmdF7->setText(QStringLiteral("Inj Down"));
    cmdF8->setText(QStringLiteral("Ign Up"));
    cmdF9->setText(QStringLiteral("Ign Down"));

    lblRPM_Map = label(central, QString(), 6480, 5420, 1300, 300);
    lblAnalog_Defl = label(central, QString(), 7850, 5420, 1300, 300);
    cmdSetDisplay = new QPushButton(QStringLiteral("Setup Display"), central);
    place(cmdSetDisplay, 9224, 5400, 1500, 375);
    cmdNoTune = new QPushButton(QStringLiteral("No Tune OFF"), central);
    place(cmdNoTune, 10796, 5400, 1500, 375);
    for (QPushButton* b : {cmdSetDisplay, cmdNoTune})
        b->setFocusPolicy(Qt::NoFocus);
    // Shown only where the dealer may set No-Tune, so a unit is never locked
    // from an installation that may not do it.
    cmdNoTune->setVisible(false);
    lblComm = label(central, QString(), 6480, 5900, 5800, 300);
    for (auto [l, name] :
         {std::pair{lblComm, "lblComm"}, std::pair{lblVersionValue, "lblVersionValue"},
          std::pair{lblRPM_Map, "lblRPM_Map"}, std::pair{lblAnalog_Defl, "lblAnalog_Defl"}})
        l->setObjectName(QString::fromLatin1(name));
    Design::setForeColor(lblComm, Design::bgr(0x808080));
    // The byte list of a whole live reply takes two lines of small print.
    lblComm->setGeometry(lblComm->x(), lblComm->y(), lblComm->width(), 450 / 15);
    lblComm->setWordWrap(true);
    lblComm->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont traceFont = font;
    traceFont.setPointSizeF(7);
    lblComm->setFont(traceFont);

    // Logos and web text of the maker or the dealer, by branding level.
    for (int i = 0; i < 3; ++i) {
        PicLogo[i] = new QLabel(central);
        place(PicLogo[i], 12400, 5330, 2240, 690);
        PicLogo[i]->setPixmap(Logos::Logo(i, PicLogo[i]->size()));
        PicLogo[i]->setVisible(false);
        PicLogo[i]->installEventFilter(this);
    }
    lblWebsite = label(central, QString(), 12400, 6040, 2240, 300, Qt::AlignCenter);
    Design::setForeColor(lblWebsite, Design::bgr(0x800000));

    StatusBar1 = new QStatusBar(this);
    setStatusBar(StatusBar1);
    const std::array<int, 5> panelWidths{0, 360, 170, 200, 250};
    for (int i = 1; i <= 4; ++i) {
        StatusPanel[i] = new QLabel(StatusBar1);
        StatusPanel[i]->setMinimumWidth(panelWidths[i]);
        StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar1->addWidget(StatusPanel[i], i == 1 ? 1 : 0);
    }
    // Panel 1 holds the notices: two lines, so that a whole sentence fits.
    StatusPanel[1]->setWordWrap(true);
    StatusPanel[1]->setFixedHeight(2 * StatusPanel[1]->fontMetrics().lineSpacing() +
                                   2 * StatusPanel[1]->frameWidth() + 2);
    StatusBar1->setSizeGripEnabled(false);

    C_Pause = new QTimer(this);
    C_Pause->setObjectName(QStringLiteral("C_Pause"));
    C_Pause->setInterval(8000);
    Timer_Clear = new QTimer(this);
    Timer_Clear->setObjectName(QStringLiteral("Timer_Clear"));
    Timer_Clear->setInterval(4000);

    for (QLabel* l : lblNoComms)
        l->installEventFilter(this);
}

void frmMain::Build_Grid() {
    QWidget* central = centralWidget();
    Frame_map = frame(central, 120, 450, 6240, 5850, true);
    Frame_map->setObjectName(QStringLiteral("Frame_map"));
    const QFont font = central->font();

    for (int n = 0; n < 128; ++n) {
        Txt128[n] = textBox(Frame_map);
        Txt128[n]->setObjectName(QStringLiteral("Txt128_%1").arg(n));
    }

    Frame_rpm = frame(Frame_map, 3630, 117, 760, 4840, false);
    Label16 = label(Frame_rpm, QStringLiteral("RPM"), 150, 30, 530, 230, Qt::AlignCenter);
    Label16->setFont(boldOf(font));
    Label16->installEventFilter(this);
    for (int n = 0; n < 16; ++n) {
        lblrpm[n] = new QLabel(Frame_rpm);
        lblrpm[n]->setObjectName(QStringLiteral("lblrpm_%1").arg(n));
    }

    LblAMPHead =
        label(Frame_map, QStringLiteral("AEng Temp"), 4790, 140, 1240, 230, Qt::AlignCenter);
    LblAMPHead->setFont(boldOf(font));
    for (int n = 0; n < 16; ++n) {
        TxtAMP[n] = textBox(Frame_map);
        TxtAMP[n]->setObjectName(QStringLiteral("TxtAMP_%1").arg(n));
        LblAmp[n] = new QLabel(Frame_map);
        LblAmp[n]->setObjectName(QStringLiteral("LblAmp_%1").arg(n));
    }

    Frame_def = frame(Frame_map, 100, 4970, 4695, 255, false);
    Label23 = label(Frame_def, QStringLiteral("Deflection"), 3560, 30, 1120, 220);
    Label23->setFont(boldOf(font));
    for (int b = 0; b < 8; ++b) {
        lblDef[b] = new QLabel(Frame_def);
        txtAfrT[b] = textBox(Frame_def);
        // The AFR row has no place in the unit image: it is shown, never edited.
        txtAfrT[b]->setReadOnly(true);
        txtAfrT[b]->setFocusPolicy(Qt::NoFocus);
    }
    // The deflection labels of the AFR panel, shown in place of the AFR row.
    frmLambda = frame(Frame_map, 100, 4970, 4695, 500, false);
    Frame_AFR_Def = frame(frmLambda, 120, 120, 4400, 255, false);
    for (int b = 8; b < 16; ++b)
        lblDef[b] = new QLabel(Frame_AFR_Def);

    Frame_info = frame(Frame_map, 100, 5225, 6040, 560, false);
    lblEnter = label(Frame_info, QStringLiteral("Value"), 0, 130, 480, 300);
    txtEnter = new QLineEdit(Frame_info);
    place(txtEnter, 500, 120, 700, 320);
    chkAdjustColumn = new QCheckBox(QStringLiteral("Change Column"), Frame_info);
    place(chkAdjustColumn, 1290, 120, 1560, 320);
    cmdMapAB = new QPushButton(QStringLiteral("A"), Frame_info);
    place(cmdMapAB, 2900, 100, 450, 360);
    cmdMapAB->setFont(boldOf(font));
    cmdViewM_Name = new QPushButton(QStringLiteral("View Map Name"), Frame_info);
    place(cmdViewM_Name, 3410, 100, 1400, 360);
    txtDOS = new QLineEdit(Frame_info);
    place(txtDOS, 4860, 120, 1150, 320);
    QFont consoleFont = font;
    consoleFont.setPointSizeF(font.pointSizeF() - 1); // "Dos Commands" fits the box whole
    txtDOS->setFont(consoleFont);
    txtDOS->setPlaceholderText(QStringLiteral("Command"));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdMapAB, cmdViewM_Name})
        w->setFocusPolicy(Qt::NoFocus);
}

void frmMain::Build_Readings() {
    QWidget* central = centralWidget();
    const QFont font = central->font();

    // The live RPM bar and its ten scale labels.
    Frame_rpmbar = frame(central, 6480, 450, 1350, 2980, true);
    RPMOutline = frame(Frame_rpmbar, 150, 120, 330, 2175, true);
    Design::setBackColor(RPMOutline, Design::bgr(0xFFFFFF));
    ImgRPM = new QFrame(Frame_rpmbar);
    Design::setBackColor(ImgRPM, Design::bgr(0x0000C0));
    place(ImgRPM, 165, 2290, 300, 5);
    for (int k = 0; k < 10; ++k)
        lblrunrpm[k] = label(Frame_rpmbar, QString(), 520, 120 + 2175 - k * 2175 / 9 - 100, 780,
                             200, Qt::AlignLeft | Qt::AlignVCenter);
    lblRPMShow = label(Frame_rpmbar, QString(), 60, 2450, 1230, 400, Qt::AlignCenter);
    lblRPMShow->setObjectName(QStringLiteral("lblRPMShow"));
    QFont big = boldOf(font);
    big.setPointSizeF(11);
    lblRPMShow->setFont(big);

    // The ten text readings.
    Frame_readings = frame(central, 7920, 450, 2500, 2980, true);
    for (int j = 0; j < 10; ++j) {
        lblRC[j] =
            label(Frame_readings, QString(), 60, 60 + j * 290, Design::ReadingNameWidth, 250);
        RCNum[j] = label(Frame_readings, QString(), 1620, 60 + j * 290, 800, 250,
                         Qt::AlignRight | Qt::AlignVCenter);
        RCNum[j]->setFont(boldOf(font));
    }

    // The six bar indicators: name and value above, range limits at the ends.
    Frame_bars = frame(central, 10500, 450, 4140, 2980, true);
    BarSet = new Readouts::BarIndicators(Frame_bars);
    place(BarSet, 0, 0, 4140, 2980);
}

void frmMain::arrange_table() {
    using Design::place;
    int k = 0;
    for (int c = 1; c <= 8; ++c) {
        for (int l = 16; l >= 1; --l) {
            place(Txt128[k], c * 435 - 260, l * 285 + 110, 395, 265);
            Txt128[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Txt128[k]->setReadOnly(true);
            CellTable[c][l] = k;
            ++k;
        }
    }
    for (QLineEdit* box : Txt128)
        box->setText(QString());

    Design::setLeft(Frame_rpm, 3630);
    for (int j = 0; j < 16; ++j) {
        QLabel* l = lblrpm[15 - j];
        place(l, 150, j * 285 + 310, 530, 200);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setText(QStringLiteral(" ? "));
    }

    for (int j = 0; j < 16; ++j) {
        const int i = 15 - j;
        place(TxtAMP[i], 4840, j * 285 + 390, 495, 200);
        TxtAMP[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        TxtAMP[i]->setText(QStringLiteral(" "));
        place(LblAmp[i], 4840 + 560, j * 285 + 430, 495, 200);
        LblAmp[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        LblAmp[i]->setText(QStringLiteral(" ?? "));
    }

    frmLambda->setVisible(false);
    Design::setTop(Frame_def, 4970);
    Design::setTop(Frame_info, 4970 + 255);
    Design::setTop(Frame_AFR_Def, 120);
    Design::setLeft(Frame_AFR_Def, 120);

    QFont bold = centralWidget()->font();
    bold.setBold(true);
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPointSize(7);
    for (int b = 0; b < 8; ++b) {
        for (QLabel* l : {lblDef[b], lblDef[b + 8]}) {
            // Right edge as designed (b x 432 + 430); widened to the left so a
            // bold "99%" fits the font in use.
            place(l, b * 432 + 20, 60, 410, 200);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setFont(bold);
            l->setText(QStringLiteral("??"));
        }
        place(txtAfrT[b], b * 432 + 60, 60, 395, 265);
        txtAfrT[b]->setFont(serif);
        txtAfrT[b]->setVisible(false);
    }
    // "-128" reads "128" when the box is too narrow for it.
    for (QLineEdit* box : Txt128)
        CellFit::Fit_Font(*box);
    for (QLineEdit* box : TxtAMP)
        CellFit::Fit_Font(*box);
    for (QLineEdit* box : txtAfrT)
        CellFit::Fit_Font(*box);

    for (int j = 0; j < 10; ++j) {
        Design::setLeft(lblRC[j], 60);
        lblRC[j]->setText(QString());
        RCNum[j]->setText(QString());
    }
}

void frmMain::Config_Screen() {
    auto show = [](std::initializer_list<QAction*> entries, bool visible) {
        for (QAction* a : entries)
            a->setVisible(visible);
    };
    show({mnuLoadLib, mnuline52, mnuSave,   mnuSaveAS,   mnuLine3,   mnuChangeNames, mnuLine48,
          mnuExit,    mnuCopy,   mnuUpload, mnuDownload, mnuline4,   mnuApp_Version, mnuLogging,
          mnuLine45,  mnuMapA,   mnuMapB,   mnuLine44,   mnuPort[1], mnuPort[2],     mnuPort[3],
          mnuPort[4], mnuLine46, mnuReset,  mnuF1,       mnuF2,      mnuF3,          mnuLine43,
          mnuLine23,  mnuLine24, mnuF4,     mnuF5,       mnuF6,      mnuF7,          mnuF8,
          mnuF9,      mnu3DFuel, mnu3DIgn,  mnu3DLambda, mnuRpm,     mnuAnalog,      mnuPBScreen},
         true);
    show({mnuline51, mnuLoadBrNT, mnuMakeDisk, mnuLine54, mnuCut, mnuPaste}, false);

    mnuUpload->setText(QStringLiteral("Upload from ") + UnitName);
    mnuDownload->setText(QStringLiteral("Download to ") + UnitName);
    mnuApp_Version->setText(UnitName + QStringLiteral(" Hardware Version"));
    mnuLogging->setText(QStringLiteral("Start Logging ") + UnitName);
    mnuMapA->setText(UnitName + QStringLiteral(" Map A"));
    mnuMapB->setText(UnitName + QStringLiteral(" Map B"));
    mnuReset->setText(QStringLiteral("Reset ") + UnitName + QStringLiteral(" Hardware"));
    mnuF1->setText(QStringLiteral("Analog Map"));
    mnuF2->setText(QStringLiteral("Injection Map"));
    mnuF3->setText(QStringLiteral("Ignition Map"));
    mnuF4->setText(QStringLiteral("Analog Up"));
    mnuF5->setText(QStringLiteral("Analog Down"));
    mnuF6->setText(QStringLiteral("Injection Up"));
    mnuF7->setText(QStringLiteral("Injection Down"));
    mnuF8->setText(QStringLiteral("Ignition Up"));
    mnuF9->setText(QStringLiteral("Ignition Down"));
    cmdF4->setText(QStringLiteral("Analog + (F4)"));
    cmdF5->setText(QStringLiteral("Analog - (F5)"));
    cmdF6->setText(QStringLiteral("Injection + (F6)"));
    cmdF7->setText(QStringLiteral("Injection - (F7)"));
    cmdF8->setText(QStringLiteral("Ignition + (F8)"));
    cmdF9->setText(QStringLiteral("Ignition - (F9)"));
    mnu3DFuel->setText(QStringLiteral("Fuel Graph"));
    mnu3DIgn->setText(QStringLiteral("Injection Graph"));
    mnu3DLambda->setText(QStringLiteral("Ignition Graph"));
    lblVersionCaption->setText(UnitName + QStringLiteral(" Hardware Version :"));

    ComDialog1.folder = ProgramFolder::path() + QLatin1Char('/');
    ComDialog1.filter = QStringLiteral("KVR6 Files (*.kvr)|*.kvr");
}

void frmMain::Select_Tab(int tab) {
    if (TabStrip1->currentIndex() == tab - 1)
        TabStrip1_Click();
    else
        TabStrip1->setCurrentIndex(tab - 1); // raises TabStrip1_Click
}

void frmMain::TabStrip1_Click() {
    if (MapLoaded == 0) {
        const auto answer = Dialogs::msgBox(
            QStringLiteral("To continue, a Tune Map needs to be loaded ! ") + QChar(13) +
                QStringLiteral("Do you wish to load a saved Tune Map ?"),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
            QStringLiteral("There is no Tune Map Loaded !! "));
        // The grid still shows the tab it showed: the strip goes back to it, so
        // the tab and the grid never disagree. A map loaded from the library
        // window redraws the shown tab.
        {
            const QSignalBlocker block(TabStrip1);
            TabStrip1->setCurrentIndex(std::clamp(MapTab, 1, 3) - 1);
        }
        if (answer == Dialogs::Answer::Yes)
            Run_Entry(mnuLoadLib);
        return;
    }
    const int tab = TabStrip1->currentIndex() + 1;
    if (tab < 1 || tab > 3)
        return;
    Clear_AMP_Cursor();
    // The row just painted live is the one the cursor leaves when the engine
    // moves on: forgotten, it would stay live beside the moving one.
    if (tab == 1)
        PrevAmpCell1 = LiveAmpCellB;
    else
        PrevAmpCell23 = LiveAmpCellA;
    MapTab = tab;
    Show_Map(tab);
    LblAMPHead->setText(tab == 1   ? QStringLiteral("AEng Temp")
                        : tab == 2 ? QStringLiteral("Fuel AMP")
                                   : QStringLiteral("Ign AMP"));
    Label23->setText(QStringLiteral("Deflection"));
    Design::setWidth(Frame_def, 4695);
    Design::setHeight(Frame_def, 255);
    Arrange_Afr_Row(tab);
}

// On the ignition tab the AFR row stands where the deflection labels are, and
// the AFR panel just beneath it shows the deflection labels; the entry row moves
// down into the room its frame leaves above its controls. The other tabs have
// no AFR row.
void frmMain::Arrange_Afr_Row(int tab) {
    using Design::place;
    const bool afr = tab == 3;
    constexpr int DefTop = 4970;
    constexpr int DefHeight = 255;
    constexpr int PanelHeight = 190;
    constexpr int InfoHeight = 560;
    constexpr int InfoFreeTop = 100; // nothing of the entry row above this
    for (int b = 0; b < 8; ++b) {
        lblDef[b]->setVisible(!afr);
        txtAfrT[b]->setVisible(afr);
        if (afr) {
            place(txtAfrT[b], b * 432 + 60, 0, 395, DefHeight);
            place(lblDef[b + 8], b * 432 + 20, 0, 410, PanelHeight);
        } else {
            place(txtAfrT[b], b * 432 + 60, 60, 395, 265);
            place(lblDef[b + 8], b * 432 + 20, 60, 410, 200);
        }
    }
    Design::setTop(frmLambda, afr ? DefTop + DefHeight : DefTop);
    Design::setHeight(frmLambda, afr ? PanelHeight : 500);
    Design::setTop(Frame_AFR_Def, afr ? 0 : 120);
    Design::setLeft(Frame_AFR_Def, afr ? 0 : 120);
    Design::setHeight(Frame_AFR_Def, afr ? PanelHeight : 255);
    // The axis caption stays beside the deflection labels.
    Label23->setParent(afr ? frmLambda : Frame_def);
    place(Label23, 3560, afr ? 0 : 30, 1120, afr ? PanelHeight : 220);
    Label23->show();
    frmLambda->setVisible(afr);
    const int infoTop = afr ? DefTop + DefHeight + PanelHeight - InfoFreeTop : DefTop + DefHeight;
    Design::setTop(Frame_info, infoTop);
    Design::setHeight(Frame_info, afr ? InfoHeight - (PanelHeight - InfoFreeTop) : InfoHeight);
}
