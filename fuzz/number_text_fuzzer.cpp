// Fuzzes the number text: the number test, the value read, the photon
// conversion and the result text.
//
// Input: any bytes, read as UTF-16 text (BytesToText), checked with the
// decimal separators '.' and ','. One input in sixteen
// (length 1 modulo 16) has its text repeated to at least 2^18 units, so that
// anything slower than linear in the length of a paste runs into libFuzzer's
// timeout; the rest stay short and fast.

#include "conversion/photon_convert.hpp"
#include "fuzz_support.hpp"
#include "runtime/number_text.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace lumbrix::fuzz {
namespace {

constexpr std::size_t kRepeatedLength = std::size_t{1} << 18;

std::string Describe(TextView text) { return "text \"" + Printable(text) + "\""; }

bool SameBits(std::optional<double> a, std::optional<double> b) {
  return a.has_value() == b.has_value() &&
         (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

void CheckText(TextView text, char16_t separator) {
  const std::optional<double> value = ReadNumber(text, separator);
  FUZZ_CHECK(IsNumber(text, separator) == value.has_value(), Describe(text));
  const std::optional<double> reference = ReferenceRead(text, separator);
  FUZZ_CHECK(value.has_value() == reference.has_value(), Describe(text));
  if (value) {
    FUZZ_CHECK(std::isfinite(*value), Describe(text));
    // Bit for bit, so that the sign of a zero counts too.
    FUZZ_CHECK(std::bit_cast<std::uint64_t>(*value) == std::bit_cast<std::uint64_t>(*reference),
               Describe(text) + " reads " + Printable(NumberToText(*value)) + ", expected " +
                   Printable(NumberToText(*reference)));
  }

  const std::optional<Text> result = PhotonConvert(text, separator);
  if (!value || *value == 0) {
    FUZZ_CHECK(!result, Describe(text) + " converted to " + Printable(*result));
  } else {
    FUZZ_CHECK(result.has_value(), Describe(text) + " failed to convert");
    const double quotient = 1240.0 / *value;
    const auto problem = ResultTextProblem(*result, quotient, separator);
    FUZZ_CHECK(!problem, Describe(text) + " gives \"" + Printable(*result) + "\": " + *problem);
  }

  const std::optional<UnitPair> units = ClassifyUnits(text, separator);
  std::optional<UnitPair> expected;
  if (value && *value >= 0 && *value <= 35) {
    expected = UnitPair{u"eV", u"nm"};
  } else if (value && *value > 35 && *value <= 9999999) {
    expected = UnitPair{u"nm", u"eV"};
  }
  FUZZ_CHECK(units == expected, Describe(text));
}

Text WithComma(TextView text) {
  Text comma(text);
  std::ranges::replace(comma, u'.', u',');
  return comma;
}

// Where the desktop writes a comma, a text and its comma form read as its
// point form does, and convert to the point form's result with a comma.
void CheckCommaForm(TextView text) {
  Text point(text);
  std::ranges::replace(point, u',', u'.');
  const Text comma = WithComma(text);
  const std::optional<double> value = ReadNumber(point);
  FUZZ_CHECK(SameBits(ReadNumber(text, u','), value), Describe(text));
  FUZZ_CHECK(SameBits(ReadNumber(comma, u','), value), Describe(comma));
  const std::optional<Text> result = PhotonConvert(point);
  FUZZ_CHECK(PhotonConvert(comma, u',') == (result ? std::optional(WithComma(*result)) : result),
             Describe(comma));
}

// The result text of any double, not only of quotients the input reaches.
void CheckDouble(double value) {
  if (std::isnan(value)) return; // no division by 1240 gives one
  const Text text = NumberToText(value);
  if (std::isfinite(value)) {
    const std::string expected = ReferenceWrite(value);
    FUZZ_CHECK(text == Text(expected.begin(), expected.end()),
               Printable(text) + ", not " + expected);
  }
  const auto problem = ResultTextProblem(text, value);
  FUZZ_CHECK(!problem, "bits " + std::to_string(std::bit_cast<std::uint64_t>(value)) +
                           " written \"" + Printable(text) + "\": " + *problem);
  FUZZ_CHECK(NumberToText(value, u',') == WithComma(text), Printable(text));
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
  CheckText(text, u'.');
  CheckText(text, u',');
  CheckCommaForm(text);

  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    CheckDouble(value);
  }
  return 0;
}
