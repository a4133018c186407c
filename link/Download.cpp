#include "link/Download.h"

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "link/WtsUp.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

namespace WtsCM {
namespace {

constexpr int DescriptionLength = 63;
constexpr int IdentifierLength = 64;
constexpr int BarStep = 5;

bool isByte(int value) {
    return value >= 0 && value <= 255;
}

// Up to 16 characters of a text from start, as the unit's bytes.
QByteArray textBytes(const QString& text, int start) {
    return TextFile::toLatin1(text.mid(start, 16));
}

QByteArray rowFrames(char letter, int first, int last, const ImageTable& mirror) {
    QByteArray frames;
    for (int row = first; row <= last; row += 16) {
        frames.append(WtsUp::Row_Write_Frame(letter, row, mirror));
        frames.append(QByteArray(WtsUp::PadLength, '\0'));
    }
    return frames;
}

} // namespace

std::optional<QString> Download_Image_Problem() {
    if (!isByte(NoTuneFlag))
        return QStringLiteral("the No-Tune flag (text address 191) holds %1").arg(NoTuneFlag);
    if (auto bad = WtsUp::Non_Byte(4, ParamBlock, Idx_GlobalBase, 128))
        return bad;
    if (auto bad = WtsUp::Non_Byte(5, Map5Image, Idx_IgnMap, 256))
        return bad;
    return WtsUp::Non_Byte(6, Map6Image, Idx_InjMap, 176);
}

QString Normalised_Description() {
    const QString padded = (MapDscr + QString(64, ' ')).left(DescriptionLength);
    return padded + QChar(NoTuneFlag & 0xFF);
}

std::vector<QByteArray> Download_Elements() {
    const QString description = Normalised_Description();
    std::vector<QByteArray> elements;

    QByteArray texts;
    for (int k = 0; k < 4; ++k)
        texts.append(
            WtsUp::Padded_Frame('A', Idx_TextBlock + 16 * k, textBytes(description, 16 * k)));
    texts.append(WtsUp::Padded_Frame('A', Idx_TextBlock2, textBytes(WiringDiagramName, 0)));
    elements.push_back(texts);

    elements.push_back(rowFrames('<', Idx_GlobalBase, Idx_GlobalBase + 127, ParamBlock));

    const int base = ActiveMap == 1 ? Idx_ParamLow : Idx_ParamMid;
    // The whole field goes out, padded with blanks as the names dialog pads it,
    // so no tail of the unit's old identifier is left behind a shorter one.
    const QString identifierText = MapId.leftJustified(IdentifierLength, ' ', true);
    QByteArray identifier;
    for (int k = 0; k < 4; ++k)
        identifier.append(
            WtsUp::Padded_Frame('<', base + 16 * k, textBytes(identifierText, 16 * k)));
    elements.push_back(identifier);

    elements.push_back(rowFrames('=', Idx_IgnMap, Idx_IgnMap + 255, Map5Image));
    elements.push_back(rowFrames('>', Idx_InjMap, Idx_InjMap + 175, Map6Image));

    if (BrandingFlag == 1)
        elements.push_back(
            WtsUp::Padded_Frame('A', Idx_DealerText, textBytes(DealerCompany, 0)) +
            WtsUp::Padded_Frame('A', Idx_DealerText + 16, textBytes(DealerCompany, 16)));
    return elements;
}

bool Confirm_Locked_Download() {
    if (UnitLocked != 1)
        return true;
    const QString setting = NoTuneFlag == 170
                                ? QStringLiteral("No-Tune ON: the unit stays locked")
                                : QStringLiteral("No-Tune OFF: the unit is no longer locked");
    return Dialogs::msgBox(
               QStringLiteral("The unit is locked (No-Tune): its maps are protected against "
                              "tuning.") +
                   QChar(13) + QChar(13) +
                   QStringLiteral("The download replaces the unit's maps with the map shown, "
                                  "and its No-Tune mark with this program's setting (%1).")
                       .arg(setting) +
                   QChar(13) + QChar(13) + QStringLiteral("Download to the locked unit?"),
               Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation,
               QStringLiteral("Download to a locked unit"),
               Dialogs::DefaultButton::Second) == Dialogs::Answer::Yes;
}

bool Download_All() {
    if (NoMapUnderLock == 1) {
        // The locked unit's read-out left the image without maps: sending it
        // would fill the unit's maps with a map nobody made.
        Dialogs::msgBox(NoMapToDownload, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                        QStringLiteral("Download refused"));
        return false;
    }
    if (const auto problem = Download_Image_Problem()) {
        Dialogs::msgBox(QStringLiteral("The map cannot be downloaded: %1, which is not a byte "
                                       "(0 to 255). Nothing has been sent to the unit.")
                            .arg(*problem),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("Download refused"));
        return false;
    }
    if (!Confirm_Locked_Download())
        return false;
    Progress().Show();
    Progress().setText(QStringLiteral("Assembling Data"));
    Progress().setValue(0);

    std::vector<QByteArray> elements = Download_Elements();
    MapDscr = Normalised_Description();
    for (std::size_t i = 0; i < elements.size(); ++i)
        Progress().addValue(BarStep);
    if (BrandingFlag == 1)
        UserName = DealerCompany;
    Progress().setText(QStringLiteral("Downloading Data"));
    // A second download of the same image before the first has gone out adds nothing.
    const bool waiting = !SendRequests.empty() &&
                         SendRequests.back().kind == SendKind::QueueWithProgress &&
                         SendRequests.back().elements == elements;
    if (!waiting)
        SendPath::Queue_Elements(std::move(elements), SendKind::QueueWithProgress);
    SendRule::Image_Is_Units(); // the unit gets the image shown
    ImageSentWhole = 1;
    // The download ends in a read-out of its own, so whenever it goes out the grid
    // shows what the unit then holds; off-line it waits for the link, and says so.
    if (SendRule::May_Send() == SendRule::Verdict::ImageOnly)
        SendRule::Tell(DownloadWaitsNotice);
    return true;
}

} // namespace WtsCM
