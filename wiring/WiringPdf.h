#pragma once

// The wiring-diagram document of the program folder and the viewer's size rule.
// Window-free: the viewer window calls these.

#include <QSize>
#include <QString>
#include <optional>

class QPdfDocument;

namespace Wiring {

// The document the wiring-diagram viewer shows, in the program folder.
inline const QString WiringFile = QStringLiteral("wiring diagrams.pdf");

// Loads the PDF at path into document. Returns why it cannot be shown, in
// plain words (missing, no file, unreadable, empty, damaged or no PDF, locked
// by a password, no pages), or an empty text once it is ready with at least one
// page: every document the PDF component opens is shown. A FIFO or a folder is
// never opened.
QString Load_Pdf(const QString& path, QPdfDocument& document);

// The viewer's size for the window's outer size, both in twips: 120 narrower
// and 375 lower than the window; nothing (the viewer keeps its size) while the
// outer height is 375 or less.
std::optional<QSize> Viewer_Size(QSize outerTwips);

} // namespace Wiring
