#include "conversion/photon_convert.hpp"

#include "runtime/number_text.hpp"

namespace lumbrix {
namespace {

// The rounded constant hc in eV·nm that the program has always used.
constexpr double kConversionConstant = 1240.0;
constexpr double kLowestEnergy = 0;
constexpr double kHighestEnergy = 35;
constexpr double kHighestWavelength = 9999999;

} // namespace

std::optional<Text> PhotonConvert(TextView input, char16_t separator) {
  const std::optional<double> value = ReadNumber(input, separator);
  if (!value || *value == 0.0) return std::nullopt;
  return NumberToText(kConversionConstant / *value, separator);
}

std::optional<UnitPair> ClassifyUnits(TextView input, char16_t separator) {
  const std::optional<double> value = ReadNumber(input, separator);
  if (!value) return std::nullopt;
  if (*value <= kHighestEnergy && *value >= kLowestEnergy) return UnitPair{u"eV", u"nm"};
  if (*value <= kHighestWavelength && *value >= kHighestEnergy) return UnitPair{u"nm", u"eV"};
  return std::nullopt;
}

} // namespace lumbrix
