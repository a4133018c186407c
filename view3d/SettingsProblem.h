#pragma once

#include <QString>

namespace View3D {

void Tell_Settings_Problem(const QString& file, const QString& doing, const QString& reason,
                           const QString& next);

} // namespace View3D
