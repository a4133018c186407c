#include "link/frmDosCMD.h"

#include "core/Caption.h"
#include "platform/FormInstance.h"
#include "platform/Step.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QShortcut>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

struct Entry {
    const char* command;
    const char* description;
};

struct Section {
    const char* heading;
    std::initializer_list<Entry> entries;
};

QString heading(const QString& text) {
    return QStringLiteral("====> %1 <====").arg(text);
}

QString entryLine(const Entry& e, const QString& prefix = QString()) {
    return prefix + QString::fromLatin1(e.command) + QLatin1Char('\t') +
           QString::fromLatin1(e.description);
}

} // namespace

QString frmDosCMD::Help_Text() {
    static const Section sections[] = {
        {"LOADING MAPS:",
         {{"LF name", "Loading a map from the hard disk"},
          {"SF name", "Saving a map to the hard disk"}}},
        {"CHANGING MAPS", {{"MA", "Set the KVR to map A"}, {"MB", "Set the KVR to map B"}}},
        {"UP AND DOWNLOAD",
         {{"PG", "Downloading a map to the KVR6"}, {"UP", "Uploading a map from the KVR6"}}},
        {"RPM SCALE",
         {{"RL nnnn", "Set the RPM scale low"}, {"RH nnnn", "Set the RPM scale high"}}},
        {"AMP SCALE",
         {{"AL p dis (cnt)", "Calibrate AMP scale low"},
          {"AH p dis (cnt)", "Calibrate AMP scale high"},
          {"AG p gra", "Sets an equal gradient"}}},
        {"TEMP SCALE",
         {{"TL p dis (cnt)", "Calibrate the temperature scale low point"},
          {"TH p dis (cnt)", "Calibrate the temperature scale high point"}}},
        {"ANALOG DEFLECTION",
         {{"DL %", "Set the analog deflection scale low"},
          {"DH %", "Set the analog deflection scale high"},
          {"DM p %", "Set the analog deflection point"},
          {"DS %", "Set the unlinear deflection start"},
          {"DE %", "Set the unlinear deflection end"}}},
        {"TEXT DESCRIPTIONS",
         {{"CI text(64)", "Set Car Description text"},
          {"MI text(64)", "Set the Map Identifier text"}}},
        {"GLOBAL SCREEN COMMANDS",
         {{"SS nnn", "Set speed governor maximum"},
          {"RM", "Reset maximum recordings"},
          {"XX", "Reset the KVR6"}}},
    };
    static const Entry dosOnly[] = {{"SC val", "Set column to value"},
                                    {"RR", "Read maximum recordings"},
                                    {"RT", "Read test dates"},
                                    {"LF", "Load a saved map file"},
                                    {"SF", "Save a map file"}};

    QStringList lines;
    lines << QStringLiteral("This is a quick reference of the commands of the text-terminal tool "
                            "of the KVR6 unit. The user manual and www.kvr6-tuning.example give "
                            "more information. Commands can be typed in upper or lower case.")
          << QString();
    for (const Section& s : sections) {
        lines << heading(QString::fromLatin1(s.heading));
        for (const Entry& e : s.entries)
            lines << entryLine(e);
        lines << QString();
    }
    lines << heading(QStringLiteral("COMMANDS ONLY AVAILABLE IN DOS"))
          << heading(QStringLiteral("THEY DO NOT WORK IN THIS PROGRAM"));
    for (const Entry& e : dosOnly)
        lines << entryLine(e, QStringLiteral("=> "));
    lines << QString()
          << QStringLiteral("This program serves the KVR6 and KVR6-S units. For the older KVR4 "
                            "unit use the separate KVR4 Terminal program.");
    return lines.join('\n');
}

frmDosCMD::frmDosCMD() {
    setWindowTitle(QStringLiteral("Help on Dos Commands"));
    resize(6600 / 15, 7200 / 15);
    auto* outer = new QVBoxLayout(this);
    Frame1 = new QGroupBox(QStringLiteral("Dos Commands"), this);
    outer->addWidget(Frame1);
    auto* inner = new QVBoxLayout(Frame1);
    RichTextBox1 = new QTextEdit(Frame1);
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichTextBox1->setTabStopDistance(2000 / 15.0); // the descriptions line up
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.5);
    RichTextBox1->setFont(font);
    RichTextBox1->setPlainText(Help_Text());
    inner->addWidget(RichTextBox1);
    // With the help window active the main window's shortcut cannot reach it.
    auto* toggle = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    Step::Connect(toggle, &QShortcut::activated, this, [] { Unload(); });
    Form_Load();
}

frmDosCMD::~frmDosCMD() {
    Form_Unload();
}

void frmDosCMD::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmDosCMD"));
}

void frmDosCMD::Form_Unload() {
    if (menu_)
        menu_->setChecked(false);
    menu_ = nullptr;
}

void frmDosCMD::closeEvent(QCloseEvent* event) {
    Step::Run([&] {
        Form_Unload(); // the tick goes at once; the window itself goes when Qt deletes it
        QWidget::closeEvent(event);
    });
}

void frmDosCMD::mnuDosHelp_Click(QAction* mnuDosHelp) {
    if (FormInstance<frmDosCMD>::loaded()) {
        Unload();
        if (mnuDosHelp)
            mnuDosHelp->setChecked(false);
        return;
    }
    frmDosCMD& window = FormInstance<frmDosCMD>::get();
    window.menu_ = mnuDosHelp;
    if (mnuDosHelp)
        mnuDosHelp->setChecked(true);
    FormInstance<frmDosCMD>::open();
}

void frmDosCMD::Unload() {
    FormInstance<frmDosCMD>::unload();
}
