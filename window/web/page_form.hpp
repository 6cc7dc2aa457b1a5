#pragma once

// The form as the page shows it, for the bridge (the page as it runs) and for
// form_html.cpp (the page as built), so that both place and name each
// control alike: its edges in CSS pixels, its order of creation and its start
// text with the page's decimal separator.

#include "window/layout.hpp"
#include "window/start_text.hpp"

#include <string>
#include <vector>

namespace lumbrix {

// CSS pixels are 96 to the inch.
inline constexpr int kCssDpi = 96;

struct PageControl {
  const Control& control;
  int order; // of creation: later controls are drawn on top
  PixelEdges px;
  std::string text;
};

inline PixelEdges PageClientArea() { return ToPixels(kClientArea, kCssDpi); }

// The table's rows in their order of creation.
inline std::vector<PageControl> PageControls(char16_t separator) {
  std::vector<PageControl> rows;
  int order = 0;
  for (const Control& control : kControls)
    rows.push_back(
        {control, order++, ToPixels(control.rect, kCssDpi), StartText(control, separator)});
  return rows;
}

} // namespace lumbrix
