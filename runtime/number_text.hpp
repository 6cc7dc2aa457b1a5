#pragma once

#include "runtime/text.hpp"

#include <optional>

namespace lumbrix {

// Reads a decimal number: optional blanks, an optional sign, digits with at
// most one '.', an optional exponent, optional blanks. The value must be a
// finite double; one that underflows reads as a signed zero. '.' is the only
// decimal separator whatever the process locale. Linear in the text's length.
std::optional<double> ReadNumber(TextView text);

inline bool IsNumber(TextView text) { return ReadNumber(text).has_value(); }

// The text of a double with 15 significant digits and no trailing zeros, as
// "%.15G" writes it in the C locale: 632.8, 1.24E+16, 1.24E-05. Infinite
// values read "Infinity" and "-Infinity".
Text NumberToText(double value);

} // namespace lumbrix
