#include "wiring/WiringPdf.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>

namespace Wiring {

QString Load_Pdf(const QString& path, QPdfDocument& document) {
    document.close();
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the file is missing from the program folder");
    if (!info.isFile())
        return QStringLiteral("a folder or other non-file stands under that name");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it cannot be read: ") + file.errorString();
    if (file.size() == 0)
        return QStringLiteral("the file is empty");
    file.close();
    // Whether the file is whole is the PDF component's to judge: it opens files
    // with data after their end mark, which many writers leave.
    switch (document.load(path)) {
    case QPdfDocument::Error::None:
        break;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return QStringLiteral("it is locked with a password");
    case QPdfDocument::Error::InvalidFileFormat:
        return QStringLiteral("it is damaged or is no PDF document");
    default:
        return QStringLiteral("the viewer could not open it");
    }
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1) {
        document.close();
        return QStringLiteral("it holds no pages to show");
    }
    return QString();
}

std::optional<QSize> Viewer_Size(QSize outerTwips) {
    if (outerTwips.height() <= 375)
        return std::nullopt;
    return QSize(outerTwips.width() - 120, outerTwips.height() - 375);
}

} // namespace Wiring
