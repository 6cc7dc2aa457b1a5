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
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

namespace lumbrix::fuzz {
namespace {

constexpr std::size_t kRepeatedLength = std::size_t{1} << 18;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The reading the program promises, written apart from ReadNumber: the
// grammar as a plain scan, then the digits normalized to 0.DDD e N so that
// the size of the value is known before converting, and only texts near the
// double range reach the conversion.
std::optional<double> ReferenceRead(TextView t) {
  std::size_t i = 0;
  const std::size_t n = t.size();
  while (i < n && IsBlank(t[i])) ++i;
  bool negative = false;
  if (i < n && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';

  std::string digits;
  long long integerDigits = 0;
  bool point = false;
  for (; i < n; ++i) {
    if (IsDigit(t[i])) {
      digits.push_back(static_cast<char>(t[i]));
      if (!point) ++integerDigits;
    } else if (t[i] == u'.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits.empty()) return std::nullopt;

  long long exponent = 0;
  if (i < n && (t[i] == u'e' || t[i] == u'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) negativeExponent = t[i++] == u'-';
    const std::size_t start = i;
    for (; i < n && IsDigit(t[i]); ++i) {
      exponent = exponent * 10 + (t[i] - u'0');
      if (exponent > 1'000'000'000'000) exponent = 1'000'000'000'000;
    }
    if (i == start) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  while (i < n && IsBlank(t[i])) ++i;
  if (i != n) return std::nullopt;

  const double zero = negative ? -0.0 : 0.0;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return zero;
  const std::size_t last = digits.find_last_not_of('0');
  const long long scale = integerDigits - static_cast<long long>(first) + exponent;
  if (scale > 400) return std::nullopt; // at least 10^399
  if (scale < -400) return zero;        // below 10^-400

  const std::string normalized = (negative ? "-0." : "0.") +
                                 digits.substr(first, last - first + 1) + "e" +
                                 std::to_string(scale);
  double value = 0;
  const char* end = normalized.data() + normalized.size();
  const auto [stop, ec] = std::from_chars(normalized.data(), end, value);
  if (ec == std::errc::result_out_of_range) return scale > 0 ? std::nullopt : std::optional(zero);
  FUZZ_CHECK(ec == std::errc() && stop == end, "reference failed on " + normalized);
  return value;
}

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
