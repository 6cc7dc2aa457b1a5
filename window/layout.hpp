#pragma once

// What both shells need to lay the control table out: pixel edges at a
// dpi, a control by name, and the texts the box font must fit.

#include "window/controls.hpp"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace lumbrix {

inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at `dpi`.
constexpr int TwipsToPixels(int twips, int dpi) { return twips * dpi / kTwipsPerInch; }

// A control's place in pixels. Edges are converted rather than sizes, so that
// neighbours that share a line still share it at every resolution.
struct PixelEdges {
  int left;
  int top;
  int right;
  int bottom;
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
};

constexpr PixelEdges ToPixels(const TwipsRect& twips, int dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.left + twips.width, dpi),
          TwipsToPixels(twips.top + twips.height, dpi)};
}

// The row of the control `name`; every shell asks only for names in the table.
constexpr const Control& ControlNamed(std::string_view name) {
  return *std::find_if(std::begin(kControls), std::end(kControls),
                       [name](const Control& c) { return name == c.name; });
}

// The widest texts the boxes must show whole, without scrolling: the longest
// result the converter writes, and the prompt.
inline constexpr const char* kWidestTexts[] = {"-1.00440000914004E-05", "Enter a value here."};

} // namespace lumbrix
