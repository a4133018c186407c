#include "core/Caption.h"

#include "core/CoreState.h"

#include <QWidget>
#include <array>

namespace WtsGeneral {

namespace {

const QString Product = QStringLiteral("KVR6");

struct CaptionEntry {
    const char* key;
    const char* title;
    const char* by; // what joins the title to the owner
};

// The main window's caption has two blanks after "by", all others one; the
// contact window's title keeps its own trailing blank.
constexpr std::array<CaptionEntry, 15> Captions{{
    {"frmMain", "2D Maps", "   by  "},
    {"frmLoadLib", "Load Saved Tune Maps", "   by "},
    {"frmSetup", "Display Setup", "   by "},
    {"frmOptions", "Global Parameter Setup", "   by "},
    {"frmWiring", "Wiring Diagrams", "   by "},
    {"frmDisLibNames", "New Names", "   by "},
    {"frmScaleRPM", "RPM Scale", "   by "},
    {"frmScaleDeflect", "Deflection Scale", "   by "},
    {"frmContact", "Contact ", "   by "},
    {"frmLibEdit", "Edit Map Files", "   by "},
    {"frm3DDrw", "3D Display for ", "   by "},
    {"frmDosCMD", "Help on Dos Commands", "   by "},
    {"frmBackRest_R", "Restore saved map files", "   by "},
    {"frmBackRest_B", "Backup saved map files", "   by "},
    {"frmName", "Contact Deatils", "   by "},
}};

} // namespace

std::optional<QString> Form_Caption_Text(const QString& formName, const QString& owner,
                                         const QString& graphTitle, const QString& titleEnd) {
    // The progress window names the product only.
    if (formName == QStringLiteral("frmProgress"))
        return Product + QStringLiteral("Progress");
    for (const CaptionEntry& e : Captions) {
        if (formName != QLatin1String(e.key))
            continue;
        QString title = QString::fromLatin1(e.title);
        if (formName == QStringLiteral("frm3DDrw"))
            title += graphTitle;
        title += titleEnd;
        return Product + QStringLiteral(" - ") + title + QString::fromLatin1(e.by) + owner;
    }
    return std::nullopt;
}

void Set_Form_Caption(QWidget& form, const QString& formName, const QString& titleEnd) {
    CaptionOwner = UserName.isEmpty() ? DealerCompany : UserName;
    CaptionProduct = Product;
    if (const auto caption = Form_Caption_Text(formName, CaptionOwner, GraphTitle, titleEnd))
        form.setWindowTitle(*caption);
}

} // namespace WtsGeneral
