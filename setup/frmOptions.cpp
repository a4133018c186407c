#include "setup/frmOptions.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "link/LinkState.h"
#include "mainwin/Design.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/FormInstance.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"
#include "setup/ParamSend.h"
#include "setup/SetupState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTimer>

using namespace OptionsMap;

namespace {

constexpr int PageLeft = 210;
constexpr int PageTop = 480;
constexpr int PageWidth = 5685;
constexpr int PageHeight = 3780;
constexpr int ImageWatchMs = 200;
const QString Title = QStringLiteral("Global Parameter Setup");

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width,
              Qt::Alignment align = Qt::AlignLeft, int height = 250) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(align | Qt::AlignVCenter);
    Design::place(l, left, top, width, height);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& caption, int left, int top, int width,
                 int height) {
    auto* f = new QGroupBox(caption, parent);
    Design::place(f, left, top, width, height);
    return f;
}

// Checks a button of an exclusive set, or clears it, even when that leaves the
// set with none checked.
void setChecked(QRadioButton* b, bool checked) {
    const QSignalBlocker block(b);
    b->setAutoExclusive(false);
    b->setChecked(checked);
    b->setAutoExclusive(true);
}

} // namespace

frmOptions::frmOptions() {
    setObjectName(QStringLiteral("frmOptions"));
    Build_Controls();
    Step::Connect(tbsOptions, &QTabBar::currentChanged, this, [this] { tbsOptions_Click(); });
    Step::Connect(ComModes, &QComboBox::activated, this, [this] { ComModes_Click(); });
    for (int s = 0; s < SliderCount; ++s) {
        const auto slider = static_cast<Slider>(s);
        Step::Connect(sld[s], &QSlider::valueChanged, this,
                      [this, slider] { Slider_Event(slider); });
        Step::Connect(sld[s], &QSlider::sliderPressed, this,
                      [this, slider] { Slider_Event(slider); });
    }
    for (QRadioButton* b : optcyl)
        Step::Connect(b, &QRadioButton::clicked, this, &frmOptions::optcyl_Click);
    for (int r = 0; r < OptionRows; ++r) {
        Step::Connect(optOn[r], &QRadioButton::clicked, this, &frmOptions::Option_Click);
        Step::Connect(optOff[r], &QRadioButton::clicked, this, &frmOptions::Option_Click);
    }
    Step::Connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    Step::Connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    Step::Connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    // Ctrl+Tab works wherever the focus is inside the window, and a key or a mouse
    // press on a slider is an edit of its own.
    qApp->installEventFilter(this);
    design_ = Read_Controls();
    Form_Load();
    // The window stays open while maps are loaded and the unit is read: it follows
    // the image, so that it never stores values the image no longer holds.
    imageWatch_ = new QTimer(this);
    imageWatch_->setInterval(ImageWatchMs);
    Step::Connect(imageWatch_, &QTimer::timeout, this, [this] { Follow_Image(); });
    imageWatch_->start();
    Step::Follow_Stops(this, &frmOptions::Redraw_After_Stop);
}

frmOptions::~frmOptions() {
    qApp->removeEventFilter(this);
}

// --- layout -------------------------------------------------------------------

void frmOptions::Build_Controls() {
    setFixedSize(Design::px(6180), Design::px(4890));
    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    tbsOptions->setExpanding(false);
    tbsOptions->setUsesScrollButtons(false);
    tbsOptions->setDrawBase(true);
    // Eight tabs across the strip's width: a smaller face and narrow padding.
    QFont small = tbsOptions->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    tbsOptions->setFont(small);
    tbsOptions->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 3px; border: 1px solid palette(mid); border-bottom: none; "
        "border-top-left-radius: 3px; border-top-right-radius: 3px; background: palette(button); "
        "margin-right: 0px; }"
        "QTabBar::tab:selected { background: palette(window); }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    for (const char* caption :
         {"Global", "Analog", "Ignition", "Speed", "Cylinders", "Switch", "Modes", "System Config"})
        tbsOptions->addTab(QString::fromLatin1(caption));
    Design::place(tbsOptions, 0, 120, 6015, 360);
    auto* strip = new QFrame(this); // the tab strip's body, behind the pages
    strip->setFrameShape(QFrame::StyledPanel);
    Design::place(strip, 0, 470, 6015, 3865);
    for (int i = 0; i < TabCount; ++i) {
        picOptions[i] = new QWidget(this);
        picOptions[i]->setObjectName(QStringLiteral("picOptions%1").arg(i));
        Design::place(picOptions[i], PageLeft, PageTop + 60, PageWidth, PageHeight - 120);
        picOptions[i]->hide();
    }
    Build_Global(picOptions[0]);
    Build_Analog(picOptions[1]);
    Build_Ignition(picOptions[2]);
    Build_Speed(picOptions[3]);
    Build_Cylinders(picOptions[4]);
    Build_Switch(picOptions[5]);
    Build_Modes(picOptions[6]);
    Build_System(picOptions[7]);

    auto button = [this](const QString& caption, const char* name, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        Design::place(b, left, 4440, 1095, 300);
        return b;
    };
    cmdOK = button(QStringLiteral("OK"), "cmdOK", 2520);
    cmdCancel = button(QStringLiteral("Cancel"), "cmdCancel", 3720);
    cmdApply = button(QStringLiteral("Apply"), "cmdApply", 4950);
}

// Caption, slider with its end captions beneath, value label: 600 twips high.
void frmOptions::Slider_Row(QWidget* parent, Slider s, const QString& caption, int top) {
    QLabel* name = label(parent, caption, 60, top, 2040, Qt::AlignLeft, 500);
    name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    name->setWordWrap(true);
    sld[s] = new QSlider(Qt::Horizontal, parent);
    sld[s]->setTickPosition(QSlider::TicksBelow);
    Design::place(sld[s], 2160, top - 30, 2520, 330);
    lblMin[s] = label(parent, QString(), 2100, top + 300, 900, Qt::AlignLeft, 220);
    lblMax[s] = label(parent, QString(), 3840, top + 300, 900, Qt::AlignRight, 220);
    lblValue[s] = label(parent, QString(), 4740, top, 780, Qt::AlignRight);
    lblValue[s]->setFrameShape(QFrame::Panel);
    lblValue[s]->setFrameShadow(QFrame::Sunken);
}

void frmOptions::Build_Global(QWidget* page) {
    QGroupBox* rpm = frame(page, QString(), 60, 0, 5565, 900);
    chkMRE = new QCheckBox(QStringLiteral("Reset Max. Rpm experienced"), rpm);
    Design::place(chkMRE, 120, 120, 3600, 300);
    label(rpm, QStringLiteral("Max. Rpm experienced :"), 120, 480, 2400);
    lblMRE = label(rpm, QString(), 2520, 480, 1200);
    QGroupBox* dates = frame(page, QStringLiteral("Hardware Test Dates"), 60, 960, 5565, 2640);
    for (int i = 0; i < TestRecords; ++i) {
        label(dates, TestCaptions[i], 120, 270 + 300 * i, 1800);
        lblTestDate[i] = label(dates, QString(), 1920, 270 + 300 * i, 3500);
    }
    auto* note = label(dates,
                       QStringLiteral("Test dates are ONLY entered when the KVR6 passes the Self "
                                      "Test."),
                       120, 2130, 5300, Qt::AlignLeft, 420);
    note->setWordWrap(true);
}

void frmOptions::Build_Analog(QWidget* page) {
    Slider_Row(page, sldAna1, QStringLiteral("Fuel zero calibration :"), 240);
    Slider_Row(page, sldAna2, QStringLiteral("Fuel upper limit :"), 1140);
    Slider_Row(page, sldAna3, QStringLiteral("Fuel lower limit :"), 2040);
}

void frmOptions::Build_Ignition(QWidget* page) {
    Slider_Row(page, sldIgn3, QStringLiteral("Teeth per turn (incl. miss) :"), 60);
    Slider_Row(page, sldIgn4, QStringLiteral("Teeth per firing :"), 780);
    Slider_Row(page, sldIgn1, QStringLiteral("Ignition Adv. Limit :"), 1500);
    Slider_Row(page, sldIgn2, QStringLiteral("Ignition Ret. Limit :"), 2220);
    Slider_Row(page, sldIgn5, QStringLiteral("Ign dwell time :"), 2940);
    // The zero of the two limits: the advance slider starts there, the retard
    // slider ends there.
    label(page, QStringLiteral("0 Deg."), 3000, 1800, 840, Qt::AlignCenter, 220);
    label(page, QStringLiteral("0 Deg."), 3000, 2520, 840, Qt::AlignCenter, 220);
}

void frmOptions::Build_Speed(QWidget* page) {
    QGroupBox* f = frame(page, QStringLiteral("Road Speed Governor"), 60, 120, 5565, 2400);
    Slider_Row(f, sldSpe1, QStringLiteral("Adjust :"), 480);
    label(f, QStringLiteral("0"), 3000, 780, 840, Qt::AlignCenter, 220);
    Slider_Row(f, sldSpe2, QStringLiteral("Limit :"), 1380);
    lblMin[sldSpe2]->setText(QStringLiteral("High"));
    lblMax[sldSpe2]->setText(QStringLiteral("Low"));
}

void frmOptions::Build_Cylinders(QWidget* page) {
    QGroupBox* f = frame(page, QStringLiteral("Cylinders"), 60, 120, 5565, 900);
    for (std::size_t b = 0; b < CylinderButtons.size(); ++b) {
        optcyl[b] = new QRadioButton(QString::number(CylinderButtons[b]), f);
        optcyl[b]->setObjectName(QStringLiteral("optcyl%1").arg(CylinderButtons[b]));
        Design::place(optcyl[b], 120 + 600 * static_cast<int>(b), 420, 600, 300);
    }
}

void frmOptions::Build_Switch(QWidget* page) {
    QGroupBox* f = frame(page, QStringLiteral("Switch Points"), 60, 0, 5565, 3600);
    Slider_Row(f, sldSwi1, QStringLiteral("RPM :"), 360);
    Slider_Row(f, sldSwi2, QStringLiteral("Temperature :"), 1140);
    Slider_Row(f, sldSwi3, QStringLiteral("AMP :"), 1920);
    Slider_Row(f, sldSwi4, QStringLiteral("Deflection :"), 2700);
}

void frmOptions::Build_Modes(QWidget* page) {
    QGroupBox* f = frame(page, QStringLiteral("Modes"), 60, 0, 5565, 3600);
    auto* hint = label(f,
                       QStringLiteral("Select the appropriate operating mode from the drop down "
                                      "list below"),
                       120, 300, 5300, Qt::AlignLeft, 420);
    hint->setWordWrap(true);
    ComModes = new QComboBox(f);
    ComModes->setObjectName(QStringLiteral("ComModes"));
    ComModes->setPlaceholderText(QStringLiteral("Select one of the Modes"));
    Design::place(ComModes, 120, 780, 5300, 330);
    label(f, QStringLiteral("Selected:"), 120, 1200, 1260);
    lblModes = label(f, QString(), 1440, 1200, 4000);
    lblModes->setWordWrap(true);
    QLabel* description = label(f, QStringLiteral("Description:"), 120, 1530, 1260);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblModeDesc = label(f, QString(), 1440, 1530, 4000, Qt::AlignLeft, 1980);
    lblModeDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblModeDesc->setWordWrap(true);
}

void frmOptions::Build_System(QWidget* page) {
    constexpr int Pitch = 330;
    for (int r = 0; r < OptionRows; ++r) {
        const int top = 15 + Pitch * r;
        label(page, OptionCaptions[r], 360, top, 2400, Qt::AlignLeft, 300);
        // Each pair in a frame of its own, so the pair is exclusive.
        auto* pair = new QWidget(page);
        Design::place(pair, 2880, top, 1800, 300);
        optOn[r] = new QRadioButton(QStringLiteral("On"), pair);
        optOff[r] = new QRadioButton(QStringLiteral("Off"), pair);
        optOn[r]->setObjectName(QStringLiteral("opt%1On").arg(r + 1));
        optOff[r]->setObjectName(QStringLiteral("opt%1Off").arg(r + 1));
        Design::place(optOn[r], 0, 0, 840, 300);
        Design::place(optOff[r], 900, 0, 840, 300);
    }
}

// --- events -------------------------------------------------------------------

void frmOptions::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmOptions"));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    Show_Page(0);
    Fill_Mode_Tables();
    for (int i = 0; i <= 5; ++i)
        ComModes->addItem(ModeNames[static_cast<std::size_t>(i)]);
    ComModes->setCurrentIndex(-1);
    Set_New_Values();
}

void frmOptions::Show_Page(int index) {
    for (int i = 0; i < TabCount; ++i) {
        if (i == index) {
            Design::place(picOptions[i], PageLeft, PageTop + 60, PageWidth, PageHeight - 120);
            picOptions[i]->show();
        } else {
            picOptions[i]->hide();
        }
    }
}

void frmOptions::tbsOptions_Click() {
    Show_Page(tbsOptions->currentIndex());
}

bool frmOptions::Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift) {
    if (keyCode != Qt::Key_Tab || shift != Qt::ControlModifier)
        return false;
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % TabCount);
    return true;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    return Step::Answer([&] {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this)
            return false;
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (Form_KeyDown(key->key(), key->modifiers()))
                return true;
        }
        for (int s = 0; s < SliderCount; ++s)
            if (watched == sld[s])
                Slider_Event(static_cast<Slider>(s));
        return false;
    });
}

void frmOptions::ComModes_Click() {
    const int i = ComModes->currentIndex();
    if (i >= 0 && i < static_cast<int>(ModeNames.size())) {
        lblModes->setText(ModeNames[static_cast<std::size_t>(i)]);
        lblModeDesc->setText(ModeDescriptions[static_cast<std::size_t>(i)]);
    }
    modeChosen_ = true;
    cmdApply->setEnabled(true);
}

void frmOptions::Slider_Event(Slider s) {
    cmdApply->setEnabled(true);
    lblValue[s]->setText(Live_Label(s, sld[s]->value(), cylinders_));
}

void frmOptions::Option_Click() {
    cmdApply->setEnabled(true);
}

void frmOptions::optcyl_Click() {
    cmdApply->setEnabled(true);
    OptionsMap::Controls c = Read_Controls();
    const QString told = OptionsMap::Follow_Cylinders(c);
    Show_Controls(c);
    if (!told.isEmpty())
        Dialogs::msgBox(told, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, Title);
}

void frmOptions::Set_New_Values() {
    // Taken first: the mapping may tell a failed step in a box, and the image
    // watch must not fill the controls again behind it.
    filled_ = ParamBlock;
    filledGate_ = OptionsMap::Gate_Open();
    OptionsMap::Controls c = Read_Controls();
    OptionsMap::Set_New_Values(c);
    Show_Controls(c);
    shown_ = Read_Controls();
    shown_.modeChosen = false;
    modeChosen_ = false;
}

bool frmOptions::Has_Edits() const {
    OptionsMap::Controls now = Read_Controls();
    now.modeChosen = false;
    return !(now == shown_) || modeChosen_;
}

void frmOptions::Refill() {
    // As a fresh opening: the controls as built, then the image's values.
    Show_Controls(design_);
    Set_New_Values();
    cmdApply->setEnabled(true);
}

void frmOptions::Show_Records() {
    // The records beside the block are shown, not edited: they follow the unit.
    const QString mre = NumberRules::Str(MaxRpmSeen);
    if (lblMRE->text() != mre) {
        lblMRE->setText(mre);
        shown_.lblMRE = mre;
    }
    for (std::size_t i = 0; i < lblTestDate.size(); ++i) {
        const QString record = Test_Record_Text(TestDates[i]);
        if (lblTestDate[i]->text() != record) {
            lblTestDate[i]->setText(record);
            shown_.lblTestDate[i] = record;
        }
    }
}

bool frmOptions::Follow_Image() {
    bool same = OptionsMap::Gate_Open() == filledGate_;
    for (int a = Idx_GlobalBase; same && a < 256; ++a)
        same = ParamBlock[a] == filled_[a];
    if (same) {
        if (filledGate_)
            Show_Records();
        return false;
    }
    const bool edits = Has_Edits();
    Refill();
    if (!edits)
        return false;
    Dialogs::msgBoxLater(
        QStringLiteral("The map image changed while this screen was open (a map was "
                       "loaded or the unit was read). The screen now shows the new "
                       "values; the changes made here that were not applied were "
                       "replaced."),
        Dialogs::Icon::Information, Title);
    return true;
}

bool frmOptions::Apply_Values() {
    // Never store what was filled from an image that is gone: edits it replaced
    // are told and nothing is stored; without edits the fresh values are stored.
    if (Follow_Image())
        return false;
    const ParamSend::Outcome outcome = ParamSend::Store_And_Send(Read_Controls(), shown_);
    if (outcome.stored()) {
        modeChosen_ = false;
        filled_ = ParamBlock;
        // The cylinders byte changes the ignition degrees and the RPM captions the
        // main window shows.
        Main().Write_RPM_Scale();
        Main().Redraw_Shown_Map();
    }
    if (!outcome.text.isEmpty())
        Dialogs::msgBox(outcome.text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, Title);
    return outcome.stored();
}

void frmOptions::cmdApply_Click() {
    // Only a store disables Apply: edits that were not stored stay marked.
    if (Apply_Values())
        cmdApply->setEnabled(false);
}

void frmOptions::cmdOK_Click() {
    // OK that could store nothing keeps the window open with its edits.
    if (cmdApply->isEnabled() && !Apply_Values())
        return;
    close();
}

void frmOptions::cmdCancel_Click() {
    close();
}

// --- controls and the mapping's record ------------------------------------------

OptionsMap::Controls frmOptions::Read_Controls() const {
    OptionsMap::Controls c;
    for (int s = 0; s < SliderCount; ++s) {
        SliderRow& row = c.sliders[s];
        row.Min = sld[s]->minimum();
        row.Max = sld[s]->maximum();
        row.Value = sld[s]->value();
        row.SelStart = row.Value;
        row.TickFrequency = sld[s]->tickInterval();
        row.label = lblValue[s]->text();
        row.minCaption = lblMin[s]->text();
        row.maxCaption = lblMax[s]->text();
    }
    c.ComModes = ComModes->currentIndex();
    c.modeChosen = modeChosen_;
    c.lblModes = lblModes->text();
    c.lblModeDesc = lblModeDesc->text();
    for (std::size_t b = 0; b < optcyl.size(); ++b)
        c.optcyl[b] = optcyl[b]->isChecked();
    for (std::size_t r = 0; r < optOn.size(); ++r) {
        c.optOn[r] = optOn[r]->isChecked();
        c.optOff[r] = optOff[r]->isChecked();
    }
    c.chkMRE = chkMRE->isChecked();
    c.lblMRE = lblMRE->text();
    for (std::size_t i = 0; i < lblTestDate.size(); ++i)
        c.lblTestDate[i] = lblTestDate[i]->text();
    c.cylinders = cylinders_;
    return c;
}

void frmOptions::Show_Controls(const OptionsMap::Controls& c) {
    for (int s = 0; s < SliderCount; ++s) {
        const SliderRow& row = c.sliders[s];
        // The mapping writes the label itself; the slider's own events would
        // rewrite it.
        const QSignalBlocker block(sld[s]);
        sld[s]->setRange(row.Min, row.Max);
        sld[s]->setValue(row.Value);
        sld[s]->setTickInterval(row.TickFrequency);
        sld[s]->setPageStep(std::max(1, row.TickFrequency));
        lblValue[s]->setText(row.label);
        lblMin[s]->setText(row.minCaption);
        lblMax[s]->setText(row.maxCaption);
    }
    {
        const QSignalBlocker block(ComModes);
        ComModes->setCurrentIndex(c.ComModes);
    }
    lblModes->setText(c.lblModes);
    lblModeDesc->setText(c.lblModeDesc);
    for (std::size_t b = 0; b < optcyl.size(); ++b)
        setChecked(optcyl[b], c.optcyl[b]);
    for (std::size_t r = 0; r < optOn.size(); ++r) {
        setChecked(optOn[r], c.optOn[r]);
        setChecked(optOff[r], c.optOff[r]);
    }
    chkMRE->setChecked(c.chkMRE);
    lblMRE->setText(c.lblMRE);
    for (std::size_t i = 0; i < lblTestDate.size(); ++i)
        lblTestDate[i]->setText(c.lblTestDate[i]);
    cylinders_ = c.cylinders;
}
