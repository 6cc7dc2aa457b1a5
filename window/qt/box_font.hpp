#pragma once

#include <QFont>

namespace lumbrix {

// The font of the text boxes: small and narrow enough that the widest texts
// the converter writes show whole in a box `boxWidth` pixels wide. Its size
// follows the logical `dpi`, as the boxes do.
QFont BoxFont(const QFont& base, int boxWidth, int dpi);

// The button asks for Tahoma 8.25 pt and takes the system's substitute.
QFont ButtonFont();

} // namespace lumbrix
