// Fuzzes the number text: the number test, the value read, the photon
// conversion and the result text.
//
// Input: any bytes, read as UTF-16 text (BytesToText). One input in sixteen
// (length 1 modulo 16) has its text repeated to at least 2^18 units, so that
// anything slower than linear in the length of a paste runs into libFuzzer's
// timeout; the rest stay short and fast.

#include "conversion/photon_convert.hpp"
#include "fuzz_support.hpp"
#include "runtime/number_text.hpp"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace lumbrix::fuzz {
namespace {

constexpr std::size_t kRepeatedLength = std::size_t{1} << 18;

std::string Describe(TextView text) { return "text \"" + Printable(text) + "\""; }

void CheckText(TextView text) {
  const std::optional<double> value = ReadNumber(text);
  FUZZ_CHECK(IsNumber(text) == value.has_value(), Describe(text));
  const std::optional<double> reference = ReferenceRead(text);
  FUZZ_CHECK(value.has_value() == reference.has_value(), Describe(text));
  if (value) {
    FUZZ_CHECK(std::isfinite(*value), Describe(text));
    // Bit for bit, so that the sign of a zero counts too.
    FUZZ_CHECK(std::bit_cast<std::uint64_t>(*value) == std::bit_cast<std::uint64_t>(*reference),
               Describe(text) + " reads " + Printable(NumberToText(*value)) + ", expected " +
                   Printable(NumberToText(*reference)));
  }

  const std::optional<Text> result = PhotonConvert(text);
  if (!value || *value == 0) {
    FUZZ_CHECK(!result, Describe(text) + " converted to " + Printable(*result));
  } else {
    FUZZ_CHECK(result.has_value(), Describe(text) + " failed to convert");
    const double quotient = 1240.0 / *value;
    const auto problem = ResultTextProblem(*result, quotient);
    FUZZ_CHECK(!problem, Describe(text) + " gives \"" + Printable(*result) + "\": " + *problem);
  }

  const std::optional<UnitPair> units = ClassifyUnits(text);
  std::optional<UnitPair> expected;
  if (value && *value >= 0 && *value <= 35) {
    expected = UnitPair{u"eV", u"nm"};
  } else if (value && *value > 35 && *value <= 9999999) {
    expected = UnitPair{u"nm", u"eV"};
  }
  FUZZ_CHECK(units == expected, Describe(text));
}

// The result text of any double, not only of quotients the input reaches.
void CheckDouble(double value) {
  if (std::isnan(value)) return; // no division by 1240 gives one
  const Text text = NumberToText(value);
  const auto problem = ResultTextProblem(text, value);
  FUZZ_CHECK(!problem, "bits " + std::to_string(std::bit_cast<std::uint64_t>(value)) +
                           " written \"" + Printable(text) + "\": " + *problem);
}

} // namespace
} // namespace lumbrix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumbrix::fuzz;
  lumbrix::Text text = BytesToText(data, size);
  if (size % 16 == 1 && !text.empty()) {
    const lumbrix::Text unit = text;
    while (text.size() < kRepeatedLength) text += unit;
  }
  CheckText(text);

  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    CheckDouble(value);
  }
  return 0;
}
