#pragma once

// Grid boxes are small by design: their font is made small enough that the
// widest text a box can be given shows whole, sign included, in the room the
// box's border and padding leave.

#include <QString>

class QLineEdit;

namespace CellFit {

// The widest text of a grid, AMP or AFR box: a minus sign and three digits.
inline const QString WidestText = QStringLiteral("-888");

// The width in pixels the box shows text in.
int Room(const QLineEdit& box);
// True when text shows whole in the box with its current font.
bool Fits(const QLineEdit& box, const QString& text);
// Makes the box's font smaller, half a point at a time, until text fits.
void Fit_Font(QLineEdit& box, const QString& text = WidestText);

} // namespace CellFit
