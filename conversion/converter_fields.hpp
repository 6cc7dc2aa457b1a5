#pragma once

#include "runtime/text.hpp"

#include <cstddef>
#include <utility>

namespace lumbrix {

// A selection counted in UTF-16 units; start 0 is before the first character.
struct Selection {
  std::size_t start = 0;
  std::size_t length = 0;
  bool operator==(const Selection&) const = default;
};

// A text box with a selection. Writing its text, as a text box does,
// leaves an empty selection at the start.
struct SelectableBox {
  Text text;
  Selection selection;

  void SetText(Text newText) {
    text = std::move(newText);
    selection = {};
  }
  bool operator==(const SelectableBox&) const = default;
};

// The controller's view of the window's four boxes.
struct ConverterFields {
  SelectableBox Text1; // input
  SelectableBox Text2; // result
  Text Text3;          // unit of the input
  Text Text4;          // unit of the result
  bool operator==(const ConverterFields&) const = default;
};

} // namespace lumbrix
