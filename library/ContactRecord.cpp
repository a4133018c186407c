#include "library/ContactRecord.h"

#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/TuneMapFile.h"

#include <QStringList>

namespace TuneMap {

QString Read_Checked_Contact_File() {
    WtsGeneral::Read_Contact_File();
    QStringList refused;
    for (int k = 1; k <= 11; ++k) {
        QString& value = ContactFields[static_cast<std::size_t>(k)];
        const QString problem = Field_Problem(value);
        if (problem.isEmpty())
            continue;
        refused
            << QStringLiteral("the %1 \"%2\" %3").arg(WtsGeneral::Contact_Label(k), value, problem);
        value.clear();
    }
    if (refused.isEmpty())
        return QString();
    const bool one = refused.size() == 1;
    return QStringLiteral("In the contact file KVR6Contact.cfg ") +
           refused.join(QStringLiteral("; ")) +
           (one ? QStringLiteral(". That value is") : QStringLiteral(". Those values are")) +
           QStringLiteral(" left out of your contact details and of the maps you save until you "
                          "enter ") +
           (one ? QStringLiteral("it") : QStringLiteral("them")) +
           QStringLiteral(" anew in Contact Details and click Update Records.");
}

} // namespace TuneMap
