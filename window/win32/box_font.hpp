#pragma once

#include <windows.h>

namespace lumbrix {

// A box's inner margin on the left and on the right, in pixels at `dpi`:
// small, so that the narrow unit boxes show their units whole.
int BoxMargin(int dpi);

// The system's message font at `dpi`, shrunk until the widest texts the
// boxes show fit a box `boxWidth` pixels wide. The caller deletes it.
HFONT CreateBoxFont(int boxWidth, int dpi);

// The button's font: Tahoma 8.25 pt, normal weight.
HFONT CreateButtonFont(int dpi);

} // namespace lumbrix
