#pragma once

#include "runtime/text.hpp"

#include <optional>

namespace lumbrix {

// The units shown beside the input (Text3) and beside the result (Text4).
struct UnitPair {
  Text input;
  Text result;
  bool operator==(const UnitPair&) const = default;
};

// 1240 / value as result text, for a text that reads as a number, both
// with the decimal separator `separator`. Fails (no text) when the value is
// zero; a quotient beyond the double range reads "Infinity".
std::optional<Text> PhotonConvert(TextView input, char16_t separator = u'.');

// Energies from 0 to 35 are eV, wavelengths above that up to 9999999 are nm;
// anything else, negatives included, has no unit pair.
std::optional<UnitPair> ClassifyUnits(TextView input, char16_t separator = u'.');

} // namespace lumbrix
