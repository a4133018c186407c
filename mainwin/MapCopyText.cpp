#include "mainwin/MapCopyText.h"

namespace MapCopyText {
namespace {

QString cellText(const QString& text) {
    if (text.startsWith('-') || text.size() >= 3)
        return text;
    return QString(3 - text.size(), '0') + text;
}

} // namespace

QString Copy_Map_Text(const std::array<QString, 128>& cells,
                      const std::array<QString, 16>& rpmLabels) {
    QString out;
    for (int r = 15; r >= 0; --r) {
        out += QString::number(r) + QStringLiteral("), ");
        for (int k = 0; k < 8; ++k) {
            if (k > 0)
                out += QStringLiteral(", ");
            out += cellText(cells[static_cast<std::size_t>(k * 16 + r)]);
        }
        out += QStringLiteral(",   , ") +
               (QString(6, ' ') + rpmLabels[static_cast<std::size_t>(r)]).right(5);
        // CR LF: pasted into an editor or a spreadsheet here the rows stay apart.
        out += QStringLiteral("\r\n");
    }
    return out;
}

} // namespace MapCopyText
