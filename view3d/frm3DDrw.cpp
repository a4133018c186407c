#include "view3d/frm3DDrw.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/SendRule.h"
#include "link/UnitLink.h"
#include "mainwin/CellEntry.h"
#include "mainwin/Design.h"
#include "mainwin/LiveCellStep.h"
#include "mainwin/MainWindow.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"
#include "view3d/View3dState.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace View3D;

namespace View3D {

Drawing::Drawing(const Scene& scene, QWidget* parent) : QWidget(parent), scene_(scene) {
    setObjectName(QStringLiteral("Picture"));
    setFocusPolicy(Qt::StrongFocus);
}

void Drawing::paintEvent(QPaintEvent* event) {
    Step::Run([&] {
        QPainter painter(this);
        Paint_Scene(painter, scene_, event->rect() == rect() ? QRect() : event->rect());
    });
}

void Drawing::mousePressEvent(QMouseEvent* event) {
    Step::Run([&] {
        setFocus(Qt::MouseFocusReason);
        if (pressed) {
            const int shift = event->modifiers().testFlag(Qt::ShiftModifier) ? 1 : 0;
            const int button = event->button() == Qt::LeftButton    ? 1
                               : event->button() == Qt::RightButton ? 2
                                                                    : 4;
            pressed(button, shift, event->position().x() * 15.0, event->position().y() * 15.0);
        }
    });
}

} // namespace View3D

namespace {

// The sliders top to bottom: each with its label, its top in the controls
// frame and its start position.
struct SliderPlace {
    const char* name;
    const char* labelName;
    const char* caption;
    int top;
    int start;
};
constexpr std::array<SliderPlace, 6> SliderPlaces{{
    {"Slider6", "Label3", "Amplitude", 600, 5},
    {"Slider2", "Label8", "Height", 1200, 600},
    {"Slider5", "Label4", "Width", 1800, 3279},
    {"Slider4", "Label5", "Move Top", 2400, 276},
    {"Slider7", "Label7", "Move Bottom", 3000, -98},
    {"Slider1", "Label6", "Twist", 3600, 4000},
}};

} // namespace

frm3DDrw::frm3DDrw() {
    setObjectName(QStringLiteral("frm3DDrw"));
    Build_Controls();
    Build_Menus();
    Connect_Handlers();
    Form_Load();
    Step::Follow_Stops(this, &frm3DDrw::Redraw_After_Stop);
}

frm3DDrw::~frm3DDrw() = default;

void frm3DDrw::Build_Controls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MenuBar = new QMenuBar(this);
    MenuBar->setNativeMenuBar(false);
    layout->setMenuBar(MenuBar);
    Client = new QWidget(this);
    Client->setFixedSize(Design::px(10875), Design::px(7605));
    layout->addWidget(Client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Frame3 = new QGroupBox(QStringLiteral("Graph Controls"), Client);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Design::place(Frame3, 120, 0, 2055, 3975);
    std::array<QSlider**, 6> sliders{&Slider6, &Slider2, &Slider5, &Slider4, &Slider7, &Slider1};
    std::array<QLabel**, 6> labels{&Label3, &Label8, &Label4, &Label5, &Label7, &Label6};
    for (std::size_t i = 0; i < SliderPlaces.size(); ++i) {
        const SliderPlace& p = SliderPlaces[i];
        auto* label = new QLabel(QString::fromLatin1(p.caption), Frame3);
        label->setObjectName(QString::fromLatin1(p.labelName));
        Design::place(label, 120, p.top - 240, 1800, 240);
        auto* slider = new QSlider(Qt::Horizontal, Frame3);
        slider->setObjectName(QString::fromLatin1(p.name));
        slider->setTickPosition(QSlider::TicksBelow);
        Design::place(slider, 240, p.top, 1335, 255);
        *labels[i] = label;
        *sliders[i] = slider;
        Apply_Row(static_cast<int>(i) + 1, Built_In_Rows()[i]);
        slider->setValue(p.start);
    }

    Frame2 = new QGroupBox(QStringLiteral("Tuning"), Client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Design::place(Frame2, 120, 4080, 2055, 3015);
    auto heading = [this](const QString& text, int top, int width) {
        auto* l = new QLabel(text, Frame2);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Design::place(l, 120, top, width, 495);
        return l;
    };
    Label1 = heading(QStringLiteral("Adjust all to selected point"), 240, 1335);
    Label2 = heading(QStringLiteral("Adjust all points proportionaly"), 1320, 1695);
    auto option = [this](const QString& caption, const char* name, int left, int top, int width,
                         int height) {
        auto* o = new QRadioButton(caption, Frame2);
        o->setObjectName(QString::fromLatin1(name));
        Design::place(o, left, top, width, height);
        return o;
    };
    Option1 = option(QStringLiteral("Horizontal"), "Option1", 240, 720, 1575, 255);
    Option2 = option(QStringLiteral("Vertical"), "Option2", 240, 960, 1335, 255);
    Option3 = option(QStringLiteral("Horizontal"), "Option3", 240, 1800, 1455, 255);
    Option4 = option(QStringLiteral("Vertical"), "Option4", 240, 2040, 1455, 255);
    Option5 = option(QStringLiteral("Adjust point only"), "Option5", 120, 2520, 1815, 375);
    Option5->setChecked(true);

    Frame1 = new QGroupBox(QStringLiteral("Fuel Graph"), Client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Design::place(Frame1, 2280, 0, 8535, 7095);
    Picture = new Drawing(scene_, Frame1);
    Picture->setGeometry(0, 0, Frame1->width(), Frame1->height());

    StatusBar1 = new QStatusBar(Client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    Design::place(StatusBar1, 0, 7230, 10875, 375);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(StatusPanel1, 1);
}

void frm3DDrw::Build_Menus() {
    QMenu* nav = MenuBar->addMenu(QStringLiteral("Navigation"));
    nav->setObjectName(QStringLiteral("mnuNavigation"));
    mnuNavigation = nav->menuAction();
    auto item = [nav](const char* name, const char* caption) {
        QAction* a = nav->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    mnuLeft = item("mnuLeft", "A or 4 = Left");
    mnuRight = item("mnuRight", "D or 6 = Right");
    mnuUp = item("mnuUp", "W or E or 8 = UP");
    mnuDown = item("mnuDown", "Z or X or 2 = Down");
    nav->addSeparator()->setObjectName(QStringLiteral("mnuLine12"));
    mnuPgUp = item("mnuPgUp", "Pg Up or + = Increase Value");
    mnuPgDn = item("mnuPgDn", "Pg Dn or - = Decrease Value");

    QMenu* live = MenuBar->addMenu(QStringLiteral("Live Tuning"));
    live->setObjectName(QStringLiteral("mnuLiveT"));
    mnuLiveT = live->menuAction();
    auto step = [this, live](const char* name, const char* caption, Qt::Key key) {
        QAction* a = live->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence(key));
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    mnuF4 = step("mnuF4", "f4", Qt::Key_F4);
    mnuF5 = step("mnuF5", "f5", Qt::Key_F5);
    live->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    mnuF6 = step("mnuF6", "f6", Qt::Key_F6);
    mnuF7 = step("mnuF7", "f7", Qt::Key_F7);
    live->addSeparator()->setObjectName(QStringLiteral("mnuLine3"));
    mnuF8 = step("mnuF8", "f8", Qt::Key_F8);
    mnuF9 = step("mnuF9", "f9", Qt::Key_F9);

    QMenu* reset = MenuBar->addMenu(QStringLiteral("Reset"));
    reset->setObjectName(QStringLiteral("mnuReset"));
    mnuReset = reset->menuAction();
    mnuDefault = reset->addAction(QStringLiteral("Default Settings"));
    mnuDefault->setObjectName(QStringLiteral("mnuDefault"));

    mnuClose = MenuBar->addAction(QStringLiteral("Close"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
}

void frm3DDrw::Connect_Handlers() {
    Step::Connect(Slider1, &QSlider::valueChanged, this, &frm3DDrw::Slider1_Scroll);
    Step::Connect(Slider2, &QSlider::valueChanged, this, &frm3DDrw::Slider2_Scroll);
    Step::Connect(Slider4, &QSlider::valueChanged, this, &frm3DDrw::Slider4_Scroll);
    Step::Connect(Slider5, &QSlider::valueChanged, this, &frm3DDrw::Slider5_Scroll);
    Step::Connect(Slider6, &QSlider::valueChanged, this, &frm3DDrw::Slider6_Scroll);
    Step::Connect(Slider7, &QSlider::valueChanged, this, &frm3DDrw::Slider7_Scroll);
    Step::Connect(Option1, &QRadioButton::clicked, this, &frm3DDrw::Option1_Click);
    Step::Connect(Option2, &QRadioButton::clicked, this, &frm3DDrw::Option2_Click);
    Step::Connect(Option3, &QRadioButton::clicked, this, &frm3DDrw::Option3_Click);
    Step::Connect(Option4, &QRadioButton::clicked, this, &frm3DDrw::Option4_Click);
    Step::Connect(Option5, &QRadioButton::clicked, this, &frm3DDrw::Option5_Click);
    Step::Connect(mnuLeft, &QAction::triggered, this, &frm3DDrw::mnuLeft_Click);
    Step::Connect(mnuRight, &QAction::triggered, this, &frm3DDrw::mnuRight_Click);
    Step::Connect(mnuUp, &QAction::triggered, this, &frm3DDrw::mnuUp_Click);
    Step::Connect(mnuDown, &QAction::triggered, this, &frm3DDrw::mnuDown_Click);
    Step::Connect(mnuPgUp, &QAction::triggered, this, &frm3DDrw::mnuPgUp_Click);
    Step::Connect(mnuPgDn, &QAction::triggered, this, &frm3DDrw::mnuPgDn_Click);
    Step::Connect(mnuF4, &QAction::triggered, this, &frm3DDrw::mnuF4_Click);
    Step::Connect(mnuF5, &QAction::triggered, this, &frm3DDrw::mnuF5_Click);
    Step::Connect(mnuF6, &QAction::triggered, this, &frm3DDrw::mnuF6_Click);
    Step::Connect(mnuF7, &QAction::triggered, this, &frm3DDrw::mnuF7_Click);
    Step::Connect(mnuF8, &QAction::triggered, this, &frm3DDrw::mnuF8_Click);
    Step::Connect(mnuF9, &QAction::triggered, this, &frm3DDrw::mnuF9_Click);
    Step::Connect(mnuDefault, &QAction::triggered, this, &frm3DDrw::mnuDefault_Click);
    Step::Connect(mnuClose, &QAction::triggered, this, &frm3DDrw::mnuClose_Click);
    Step::Connect(&Timer1, &QTimer::timeout, this, &frm3DDrw::Timer1_Timer);
    // Keys reach the window's handlers from whichever control has the focus;
    // a slider keeps its own keys for moving.
    for (QWidget* child : Client->findChildren<QWidget*>())
        child->installEventFilter(this);
    Picture->pressed = [this](int button, int shift, double x, double y) {
        Frame1_MouseDown(button, shift, x, y);
    };
}

// --- drawing --------------------------------------------------------------------

void frm3DDrw::Form_Load() {
    if (const MapKindInfo* kind = Kind_Of(MapKind))
        GraphTitle = kind->title;
    Frame1->setTitle(GraphTitle);
    scene_.title = GraphTitle;
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frm3DDrw"));
    Load_Display_Setup();
    Load_Menu();
    Load_LBL_Scales();
    draw();
    // The keys walk the map from the start; a slider takes them once clicked.
    Picture->setFocus(Qt::OtherFocusReason);
    // The live point follows the link's poll; with no link polling there is
    // nothing to follow.
    const UnitLink* link = UnitLink::current();
    const int interval = link != nullptr ? link->interval() : 0;
    Timer1.setInterval(interval);
    if (interval > 0)
        Timer1.start();
    LastLiveCell = 0;
}

SliderValues frm3DDrw::Slider_Values() const {
    return {Slider6->value(), Slider2->value(), Slider5->value(),
            Slider4->value(), Slider7->value(), Slider1->value()};
}

void frm3DDrw::draw() {
    Place_Nodes(Slider_Values(), MapKind);
    scene_.Gradient_Colours();
    scene_.drawn = true;
    // The marks of the adjust mode follow the moved grid.
    mark_line();
    Picture->update();
}

void frm3DDrw::redo_graph_colour() {
    scene_.Gradient_Colours();
    Picture->update();
}

void frm3DDrw::Load_LBL_Scales() {
    const AxisLabelTexts texts = Main().Axis_Label_Texts();
    for (int i = 0; i < 16; ++i)
        scene_.labels[static_cast<std::size_t>(i)] = texts.rpm[static_cast<std::size_t>(i)];
    for (int i = 0; i < 8; ++i)
        scene_.labels[static_cast<std::size_t>(16 + i)] =
            texts.deflection[static_cast<std::size_t>(i)];
    scene_.labels[24] = QStringLiteral("RPM");
    scene_.labels[25] = QStringLiteral("Deflection");
}

void frm3DDrw::Redraw_After_Stop() {
    Load_LBL_Scales();
    View_Changed();
}

// --- the live point -------------------------------------------------------------------

void frm3DDrw::Cursor_Movement() {
    if (LiveMapCell == LastLiveCell)
        return;
    // Outside the maps there is no node to mark: the marks stay where they are.
    if (!Has_Live_Cell())
        return;
    // Only where the marks were and are now is painted again.
    const QRect before = Live_Marks_Area(scene_);
    scene_.Place_Cross(LiveMarks, LiveMapCell % 16, LiveMapCell / 16);
    LastLiveCell = LiveMapCell;
    LiveRepaint = before | Live_Marks_Area(scene_);
    Picture->update(LiveRepaint);
}

void frm3DDrw::Timer1_Timer() {
    Cursor_Movement();
}

// --- settings files ----------------------------------------------------------------

QSlider* frm3DDrw::Slider_Of_Row(int row) const {
    const std::array<QSlider*, 6> rows{Slider6, Slider2, Slider5, Slider4, Slider7, Slider1};
    return rows[static_cast<std::size_t>(row - 1)];
}

namespace {

int Slider_Number(const QSlider* slider) {
    return slider->objectName().right(1).toInt();
}

} // namespace

void frm3DDrw::Apply_Row(int row, const SettingRow& values) {
    QSlider* slider = Slider_Of_Row(row);
    // Settings are no move of the user's: the view values stay as they are.
    const QSignalBlocker quiet(slider);
    slider->setRange(values.setting.min, values.setting.max);
    slider->setSingleStep(values.setting.smallChange);
    slider->setPageStep(values.setting.largeChange);
    slider->setTickInterval(values.setting.tickFrequency);
    SelStart[static_cast<std::size_t>(Slider_Number(slider))] = values.setting.selStart;
}

SliderSetting frm3DDrw::Current_Setting(int row) const {
    const QSlider* s = Slider_Of_Row(row);
    return {s->minimum(),  s->maximum(),      s->singleStep(),
            s->pageStep(), s->tickInterval(), SelStart[static_cast<std::size_t>(Slider_Number(s))]};
}

bool frm3DDrw::Read_Settings(const QString& fileName, bool createWhenMissing) {
    const FileRead file = Read_Settings_File(fileName, MapKind, createWhenMissing);
    const SectionRead& read = file.section;
    if (!read.found)
        return file.usable;
    for (int row = 1; row <= SettingRows; ++row)
        if (const auto& values = read.rows[static_cast<std::size_t>(row - 1)]) {
            Apply_Row(row, *values);
            Store_Row(SliderSettings, row, *values);
        }
    const QString problems = Problems_Text(fileName, read);
    if (!problems.isEmpty()) {
        StatusPanel1->setText(problems);
        StatusPanel1->setToolTip(problems);
    }
    return file.usable;
}

void frm3DDrw::Load_Display_Setup() {
    settingsKnown_ = Read_Settings(SettingsFile, true);
    for (int row = 1; row <= SettingRows; ++row)
        opened_[static_cast<std::size_t>(row - 1)] = Current_Setting(row);
}

void frm3DDrw::Save_Settings() {
    std::array<bool, SettingRows> changed{};
    for (int row = 1; row <= SettingRows; ++row) {
        const SliderSetting now = Current_Setting(row);
        auto& r = SliderSettings[static_cast<std::size_t>(row)];
        r[2] = QString::number(now.min);
        r[3] = QString::number(now.max);
        r[4] = QString::number(now.smallChange);
        r[5] = QString::number(now.largeChange);
        r[6] = QString::number(now.tickFrequency);
        r[7] = QString::number(now.selStart);
        changed[static_cast<std::size_t>(row - 1)] =
            now != opened_[static_cast<std::size_t>(row - 1)];
    }
    // A file the opening could not read is not the view's to write.
    if (settingsKnown_)
        Save_Settings_File(MapKind, SliderSettings, changed);
}

void frm3DDrw::mnuDefault_Click() {
    Read_Settings(DefaultSettingsFile, false);
    RowStepX = static_cast<std::int16_t>(Slider4->value());
    ColStepY = static_cast<std::int16_t>(Slider7->value());
    Amplitude = static_cast<std::int16_t>(Slider6->value());
    ColStepX = Col_Step_Of(Slider5->value());
    View_Changed();
}

// --- sliders, options and menus ------------------------------------------------------

void frm3DDrw::View_Changed() {
    draw();
    draw_point();
    --LastLiveCell;
    Cursor_Movement();
}

void frm3DDrw::Slider1_Scroll() {
    ColStepX = Col_Step_Of(Slider1->value());
    RowStepY = Row_Step_Of(Slider1->value());
    View_Changed();
}

void frm3DDrw::Slider2_Scroll() {
    View_Changed();
}

void frm3DDrw::Slider4_Scroll() {
    RowStepX = static_cast<std::int16_t>(Slider4->value());
    View_Changed();
}

void frm3DDrw::Slider5_Scroll() {
    ColStepX = Col_Step_Of(Slider5->value());
    View_Changed();
}

void frm3DDrw::Slider6_Scroll() {
    Amplitude = static_cast<std::int16_t>(Slider6->value());
    View_Changed();
}

void frm3DDrw::Slider7_Scroll() {
    ColStepY = static_cast<std::int16_t>(Slider7->value());
    View_Changed();
}

void frm3DDrw::Option1_Click() {
    redo_graph_colour();
    mark_line();
}
void frm3DDrw::Option2_Click() {
    redo_graph_colour();
    mark_line();
}
void frm3DDrw::Option3_Click() {
    redo_graph_colour();
    mark_line();
}
void frm3DDrw::Option4_Click() {
    redo_graph_colour();
    mark_line();
}
void frm3DDrw::Option5_Click() {
    redo_graph_colour();
    mark_line();
}

void frm3DDrw::Load_Menu() {
    const std::array<QAction*, 6> entries{mnuF4, mnuF5, mnuF6, mnuF7, mnuF8, mnuF9};
    for (int key = 4; key <= 9; ++key)
        entries[static_cast<std::size_t>(key - 4)]->setText(Main().Step_Caption(key));
}

void frm3DDrw::Live_Step(int key) {
    // The step tells a refusal, or a limit that held it, in the main window's
    // status bar; the view says it where the user is looking too.
    const SendRule::Verdict verdict = SendRule::May_Send();
    const QString held = WtsGeneral::Step_Live_Cell(key);
    if (verdict == SendRule::Verdict::ImageOnly)
        StatusPanel1->setText(WtsGeneral::OffLineStepNotice);
    else if (verdict != SendRule::Verdict::Send)
        StatusPanel1->setText(SendRule::Notice(verdict));
    else if (!held.isEmpty())
        StatusPanel1->setText(held);
    else if (StatusPanel1->text() == heldShown_)
        StatusPanel1->setText(Pointer_Text()); // what held the step before holds no more
    heldShown_ = held;
    draw();
    LastLiveCell = 0;
    Cursor_Movement();
}

void frm3DDrw::mnuF4_Click() {
    Live_Step(4);
}
void frm3DDrw::mnuF5_Click() {
    Live_Step(5);
}
void frm3DDrw::mnuF6_Click() {
    Live_Step(6);
}
void frm3DDrw::mnuF7_Click() {
    Live_Step(7);
}
void frm3DDrw::mnuF8_Click() {
    Live_Step(8);
}
void frm3DDrw::mnuF9_Click() {
    Live_Step(9);
}

void frm3DDrw::mnuClose_Click() {
    close();
}

void frm3DDrw::Frame1_MouseDown(int, int, double x, double y) {
    MouseX = static_cast<int>(NumberRules::RoundEven(x));
    MouseY = static_cast<int>(NumberRules::RoundEven(y));
    Fined_point();
}

// --- the edit cursor and editing --------------------------------------------------------

AdjustMode frm3DDrw::Mode() const {
    if (Option5->isChecked())
        return AdjustMode::PointOnly;
    if (Option3->isChecked())
        return AdjustMode::RowStepped;
    if (Option4->isChecked())
        return AdjustMode::ColumnStepped;
    if (Option1->isChecked())
        return AdjustMode::RowToPoint;
    return AdjustMode::ColumnToPoint;
}

void frm3DDrw::Fined_point() {
    // A press beside the wire frame is no pick: the cursor, shown or not, stays.
    if (!View3D::Fined_point())
        return;
    CursorShown = CursorShownOn;
    draw_point();
}

void frm3DDrw::draw_point() {
    if (CursorShown != CursorShownOn)
        return;
    Clamp_Cursor();
    scene_.Place_Cross(CursorMarks, CurRow, CurCol);
    if (Kind_Of(MapKind) != nullptr)
        StatusPanel1->setText(Pointer_Text());
    Picture->update();
}

QString frm3DDrw::Pointer_Text() const {
    const MapKindInfo* kind = Kind_Of(MapKind);
    if (kind == nullptr || CursorShown != CursorShownOn)
        return QString();
    return kind->valueText + QString::number(Display_Value(*kind, CurCol * 16 + CurRow));
}

void frm3DDrw::mark_line() {
    if (CursorShown != CursorShownOn)
        return;
    Clamp_Cursor();
    const AdjustMode mode = Mode();
    scene_.levelLines = {};
    if (mode == AdjustMode::RowToPoint || mode == AdjustMode::ColumnToPoint) {
        const std::array<QLine, 2> lines = Level_Lines(mode);
        scene_.levelLines = {lines[0], lines[1]};
    } else if (mode == AdjustMode::RowStepped || mode == AdjustMode::ColumnStepped) {
        const bool row = mode == AdjustMode::RowStepped;
        const int first = row ? Row_First_Line(CurRow) : Column_First_Line(CurCol);
        for (int n = first; n < first + (row ? 7 : 15); ++n) {
            scene_.colours[static_cast<std::size_t>(n)] = Design::bgr(HighlightColour);
            scene_.widths[static_cast<std::size_t>(n)] = 2;
        }
    }
    Picture->update();
}

void frm3DDrw::Cursor_Moved() {
    draw_point();
    redo_graph_colour();
    mark_line();
}

void frm3DDrw::Tune_Graph() {
    const MapKindInfo* kind = Kind_Of(MapKind);
    if (kind == nullptr)
        return;
    const EditResult result = View3D::Tune_Graph(*kind, Mode(), EditKey);
    if (!result.changed) {
        StatusPanel1->setText(result.refusal);
        return;
    }
    QString text = kind->valueText + QString::number(Display_Value(*kind, CurCol * 16 + CurRow));
    if (result.verdict == SendRule::Verdict::ImageOnly)
        text += QStringLiteral("   (off-line: in the map image only, not sent)");
    // The view may cover the main window's status bar: a limit that held the
    // edit is said here too.
    if (!result.held.isEmpty())
        text += QStringLiteral("   ") + result.held;
    StatusPanel1->setText(text);
    // The main window's grid shows what the image now holds.
    Main().Redraw_Shown_Map();
    draw();
    redo_graph_colour();
    mark_line();
}

void frm3DDrw::Form_KeyDown(int KeyCode, int) {
    Cursor_Key(KeyCode);
    if (Is_Edit_Key(KeyCode)) {
        EditKey = KeyCode;
        Tune_Graph();
    } else {
        Cursor_Moved();
    }
}

void frm3DDrw::Form_KeyPress(int KeyAscii) {
    const QChar c(KeyAscii);
    Cursor_Char(c);
    if (c != QLatin1Char('9') && c != QLatin1Char('3') && c != QLatin1Char('+') &&
        c != QLatin1Char('-'))
        Cursor_Moved();
}

void frm3DDrw::mnuLeft_Click() {
    --CurCol;
    Clamp_Cursor();
    Cursor_Moved();
}
void frm3DDrw::mnuRight_Click() {
    ++CurCol;
    Clamp_Cursor();
    Cursor_Moved();
}
void frm3DDrw::mnuUp_Click() {
    ++CurRow;
    Clamp_Cursor();
    Cursor_Moved();
}
void frm3DDrw::mnuDown_Click() {
    --CurRow;
    Clamp_Cursor();
    Cursor_Moved();
}
void frm3DDrw::mnuPgUp_Click() {
    EditKey = KeyPageUp;
    Tune_Graph();
}
void frm3DDrw::mnuPgDn_Click() {
    EditKey = KeyPageDown;
    Tune_Graph();
}

bool frm3DDrw::Window_Key(QKeyEvent* key) {
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->key() == Qt::Key_Escape ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    int code = CellEntry::Key_Code(key->key(), key->modifiers());
    // "+" and "-" of the main keyboard edit as the keypad's do.
    if (code == 187)
        code = 107;
    else if (code == 189)
        code = 109;
    Form_KeyDown(code, key->modifiers().testFlag(Qt::ShiftModifier) ? 1 : 0);
    const QString text = key->text();
    if (!text.isEmpty() && text.at(0).isPrint())
        Form_KeyPress(text.at(0).unicode());
    return true;
}

void frm3DDrw::keyPressEvent(QKeyEvent* event) {
    Step::Run([&] {
        if (!Window_Key(event))
            SelfUnloadingWindow::keyPressEvent(event);
    });
}

bool frm3DDrw::eventFilter(QObject* watched, QEvent* event) {
    return Step::Answer([&] {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (qobject_cast<QSlider*>(watched) != nullptr) {
            switch (key->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Home:
            case Qt::Key_End:
                return false; // the slider's own
            default:
                break;
            }
        }
        return Window_Key(key);
    });
}

QString frm3DDrw::Status_Text() const {
    return StatusPanel1->text();
}

// --- closing ----------------------------------------------------------------------------

void frm3DDrw::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Timer1.stop();
    Save_Settings();
    if (const MapKindInfo* kind = Kind_Of(MapKind))
        Main().Select_Tab(kind->tab);
}

void frm3DDrw::closeEvent(QCloseEvent* event) {
    Step::Run([&] {
        Form_Unload();
        event->accept();
    });
}
