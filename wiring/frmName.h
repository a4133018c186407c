#pragma once

#include "platform/SelfUnloadingWindow.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

// The dealer contact window "Contact Deatils": the dealer's company, owner,
// telephone, fax, e-mail and web site as read at start-up, with the dealer's
// logo of the branding level. Read-only; one instance, through
// FormInstance<frmName>; it unloads on OK or when it loses the focus.
class frmName : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Wiring;
    frmName();

    void Form_Load();
    void cmdOK_Click();

    QGroupBox* Frame1 = nullptr;
    std::array<QLabel*, 6> Label{}; // the captions Label1..Label6
    std::array<QLabel*, 6> lblCon{};
    std::array<QLabel*, 2> Picture1{};
    QPushButton* cmdOK = nullptr;

private:
    void Build_Controls();
};
