#pragma once

#include <QString>

// What the program says of itself: its title, version and release text.
namespace AppInfo {
inline constexpr int Major = 1;
inline constexpr int Minor = 0;
inline constexpr int Revision = 0;
inline const QString Title = QStringLiteral("KVR6 Tuning Software");
inline const QString Comments = QStringLiteral("10 December 2026");
} // namespace AppInfo
