#pragma once

#include "runtime/text.hpp"

#include <ostream>
#include <string>

// Texts in the tables are ASCII or u"" literals; these turn them into
// readable messages and back.
namespace lumbrix {

inline std::string Narrow(TextView text) {
  std::string out;
  for (char16_t c : text) {
    if (c >= 0x20 && c < 0x7f) {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\u" + std::to_string(static_cast<unsigned>(c));
    }
  }
  return out;
}

inline Text Widen(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

} // namespace lumbrix
