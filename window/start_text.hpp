#pragma once

#include "runtime/number_text.hpp"
#include "window/controls.hpp"

#include <string>

namespace lumbrix {

// The text a control shows when the window opens, in UTF-8 as the table holds
// it. A number, which the table writes with '.', is written with the desktop's
// decimal separator, as every number the window shows.
inline std::string StartText(const Control& control, char16_t separator) {
  std::string text = control.text;
  // A number is ASCII, so its bytes are its UTF-16 units.
  if (separator == u'.' || !IsNumber(Text(text.begin(), text.end()))) return text;
  std::string encoded; // the separator in UTF-8; it is never a lone surrogate
  if (separator < 0x80) {
    encoded = {static_cast<char>(separator)};
  } else if (separator < 0x800) {
    encoded = {static_cast<char>(0xc0 | separator >> 6),
               static_cast<char>(0x80 | (separator & 0x3f))};
  } else {
    encoded = {static_cast<char>(0xe0 | separator >> 12),
               static_cast<char>(0x80 | (separator >> 6 & 0x3f)),
               static_cast<char>(0x80 | (separator & 0x3f))};
  }
  if (const auto point = text.find('.'); point != std::string::npos)
    text.replace(point, 1, encoded);
  return text;
}

} // namespace lumbrix
