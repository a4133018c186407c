#include "link/PortErrors.h"

#include "link/CommControl.h"
#include "platform/KvrError.h"

namespace PortErrors {

QString Text(int number, int port, Family family) {
    const bool opening = family == Family::Opening;
    const QString menu = opening ? QStringLiteral("KVR") : QStringLiteral("TOOL");
    const QString change =
        QStringLiteral(" Use the ") + menu +
        QStringLiteral(" Menu on the task bar to change the Communication Port Number.");
    QString first;
    QString second;
    switch (number) {
    case KvrError::InvalidPortNumber:
        first = QStringLiteral("The Communication Port selected (Comm Port ");
        second = QStringLiteral(") is an INVALID PORT NUMBER.");
        break;
    case KvrError::PortAlreadyOpen:
        first = QStringLiteral("The Communication Port selected (Comm Port ");
        second = QStringLiteral(") is ALREADY OPEN by another application.");
        break;
    case KvrError::PortPermissionDenied:
        // Nothing else holds the port: this user may not open its device.
        first = QStringLiteral("The Communication Port selected (Comm Port ");
        second = QStringLiteral(") cannot be opened: permission denied on ") +
                 CommControl::Device_Path(port) +
                 QStringLiteral(". Add your user to the group that owns the device (usually "
                                "\"dialout\") and log in again.");
        break;
    case KvrError::IllegalOperation:
        first = QStringLiteral("The Communication Port selected (Comm Port ");
        second = opening ? QStringLiteral(") has experienced an illegal operation.")
                         : QStringLiteral(") has experienced an illegal operation(Err 8018).");
        break;
    case KvrError::HardwareNotAvailable:
        first = QStringLiteral("The Communications Ports (Comm Port ");
        second = QStringLiteral(") HARDWARE IS NOT AVAILABLE.");
        break;
    default:
        first = QStringLiteral("The Communication Port (Comm Port ");
        second = QStringLiteral(") has an unexpected problem.");
        break;
    }
    return first + QString::number(port) + second + change +
           QStringLiteral("\n\nThe KVR for windows will continue, however there will be no "
                          "communication to the KVR Unit");
}

} // namespace PortErrors
