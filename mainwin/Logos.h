#pragma once

#include <QPixmap>
#include <QSize>

namespace Logos {

// The three logo pictures of the main window: 0 the maker's, 1 and 2 the
// dealer's (plain and advanced branding), drawn to fit the given size.
QPixmap Logo(int index, QSize size);

// The maker's own web-site address, shown when the installation has no branding.
inline constexpr const char* MakerWeb = "www.kvr6-tuning.example";

} // namespace Logos
