#pragma once

#include "conversion/converter_fields.hpp"
#include "runtime/continuation.hpp"

#include <cstdint>

namespace lumbrix {

// The character code a key press carries.
using KeyAscii = std::uint16_t;
inline constexpr KeyAscii kKeyEnter = 13;
inline constexpr KeyAscii kKeyEscape = 27;

inline constexpr char16_t kPrompt[] = u"Enter a value here.";

// Event handlers of the converter window. They keep no state: every decision
// comes from the boxes as they stand. Keys other than Enter and Escape are
// left to the box. Numbers are read and written with the desktop's decimal
// separator (DecimalSeparatorFrom), which the shell passes in.
Continuation Text1_KeyPress(ConverterFields& fields, KeyAscii key, char16_t separator = u'.');
Continuation Text2_KeyPress(ConverterFields& fields, KeyAscii key);
void Text1_Click(ConverterFields& fields);
void Text2_Click(ConverterFields& fields);

// The steps the handlers are made of.
void SelectAll(SelectableBox& box);
void ClearAll(ConverterFields& fields);
void ConvertInput(ConverterFields& fields, char16_t separator = u'.');

} // namespace lumbrix
