#pragma once

#include "runtime/text.hpp"

#include <optional>

namespace lumbrix {

// The decimal separator to read and write numbers with, from the desktop's
// own (which may be any text): that one character where it cannot be taken
// for part of a number, '.' otherwise (a digit, a sign, a blank, an exponent
// letter, a control character, more than one character or none).
char16_t DecimalSeparatorFrom(TextView desktops);

// Reads a decimal number: optional blanks, an optional sign, digits with at
// most one decimal separator, an optional exponent, optional blanks. The
// separator is '.' or `separator`, never both; grouping is never read, so
// "1,240.5" is not a number. The value must be a finite double; one that
// underflows reads as a signed zero. Nothing depends on the process locale.
// Linear in the text's length.
std::optional<double> ReadNumber(TextView text, char16_t separator = u'.');

inline bool IsNumber(TextView text, char16_t separator = u'.') {
  return ReadNumber(text, separator).has_value();
}

// The text of a double with 15 significant digits and no trailing zeros, as
// "%.15G" writes it in the C locale, with `separator` for the point: 632.8,
// 1.24E+16, 1.24E-05. Infinite values read "Infinity" and "-Infinity".
Text NumberToText(double value, char16_t separator = u'.');

} // namespace lumbrix
