#include "wiring/frmName.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "mainwin/Design.h"
#include "mainwin/Logos.h"
#include "platform/Step.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

// One row of the frame: its top, caption, and the value label's left and width.
struct Row {
    int top;
    const char* caption;
    int valueLeft;
    int valueWidth;
};
const std::array<Row, 6> Rows{{{960, "Company Name :", 1560, 3615},
                               {1320, "Company Address :", 1680, 5655},
                               {1680, "Phone Number :", 1440, 2655},
                               {2040, "Fax Number :", 1320, 2655},
                               {2400, "Email Address :", 1440, 3015},
                               {2760, "Web Site :", 1080, 3855}}};

// The captions' column, wide enough for "Company Address :" in the program's font.
constexpr int CaptionWidth = 1920;
constexpr int ValueLeft = 240 + CaptionWidth + 60;

} // namespace

frmName::frmName() {
    setObjectName(QStringLiteral("frmName"));
    Build_Controls();
    Step::Connect(cmdOK, &QPushButton::clicked, this, &frmName::cmdOK_Click);
    Form_Load();
}

void frmName::Build_Controls() {
    setFixedSize(Design::px(7485), Design::px(3900));
    Frame1 = new QGroupBox(QStringLiteral("Contact Details:"), this);
    Design::place(Frame1, 0, 120, 7455, 3735);
    for (int k = 0; k < 6; ++k) {
        const Row& r = Rows[k];
        Label[k] = new QLabel(QString::fromLatin1(r.caption), Frame1);
        Label[k]->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        Design::place(Label[k], 240, r.top, CaptionWidth, 255);
        // The values stand in one column right of the widest caption, as wide as
        // designed where the frame has room.
        lblCon[k] = new QLabel(Frame1);
        lblCon[k]->setObjectName(QStringLiteral("lblCon%1").arg(k));
        // The dealer's texts as written: "<b>" in a name is no markup.
        lblCon[k]->setTextFormat(Qt::PlainText);
        Design::place(lblCon[k], ValueLeft, r.top,
                      std::min(std::max(r.valueWidth, 3855), 7455 - ValueLeft - 120), 255);
    }
    // Each picture holds its own logo: the dealer's plain and advanced branding.
    Picture1[0] = new QLabel(Frame1);
    Design::place(Picture1[0], 4320, 120, 3060, 750);
    Picture1[1] = new QLabel(Frame1);
    Design::place(Picture1[1], 3120, 120, 4230, 765);
    for (int i = 0; i < 2; ++i) {
        Picture1[i]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        Picture1[i]->setPixmap(Logos::Logo(i + 1, Picture1[i]->size()));
        Picture1[i]->setVisible(false);
    }
    cmdOK = new QPushButton(QStringLiteral("OK"), Frame1);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    Design::place(cmdOK, 3120, 3120, 1335, 375);
    cmdOK->setDefault(true);
}

void frmName::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmName"));
    const std::array<const QString*, 6> values{&DealerCompany, &DealerOwner, &DealerPhone,
                                               &DealerFax,     &DealerEmail, &DealerWeb};
    for (int k = 0; k < 6; ++k)
        lblCon[k]->setText(*values[k]);
    Picture1[0]->setVisible(AdvBranding == 1);
    Picture1[1]->setVisible(AdvBranding == 2);
}

void frmName::cmdOK_Click() {
    close();
}
