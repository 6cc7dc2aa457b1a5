#pragma once

// Helpers shared by the fuzz targets: a failing invariant aborts with a
// message, which libFuzzer reports as a crash and saves the input for.

#include "runtime/text.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h> // newlocale, locale_t
#include <optional>
#include <stdlib.h> // strtod_l
#include <string>

namespace lumbrix::fuzz {

// Texts in messages: ASCII as is, everything else as \uXXXX; long texts cut.
inline std::string Printable(TextView text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  const std::size_t shown = text.size() < 200 ? text.size() : 200;
  for (std::size_t i = 0; i < shown; ++i) {
    const char16_t c = text[i];
    if (c >= 0x20 && c < 0x7f) {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(c >> shift) & 0xf]);
    }
  }
  if (shown < text.size()) out += "... (" + std::to_string(text.size()) + " units)";
  return out;
}

[[noreturn]] inline void Fail(const char* what, int line, const std::string& detail) {
  std::fprintf(stderr, "invariant broken (line %d): %s\n  %s\n", line, what, detail.c_str());
  std::abort();
}

#define FUZZ_CHECK(condition, detail)                                                              \
  do {                                                                                             \
    if (!(condition)) ::lumbrix::fuzz::Fail(#condition, __LINE__, (detail));                       \
  } while (false)

// Any bytes as UTF-16 code units, two bytes each, low byte first; an odd
// last byte is not part of the text.
inline Text BytesToText(const std::uint8_t* data, std::size_t size) {
  Text text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2)
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

// C's own readers and writers serve as references, apart from the libraries
// the program uses, in a C locale of their own so that the process locale
// cannot move the point.
inline locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
}

// "%.15G" as C writes it, the text the program must give for a finite value.
inline std::string ReferenceWrite(double value) {
  const locale_t previous = uselocale(CLocale());
  char text[40];
  std::snprintf(text, sizeof text, "%.15G", value);
  uselocale(previous);
  return text;
}

inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
inline bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The reading the program promises, written apart from ReadNumber so that
// both fuzzers check the program against it: the grammar as a plain scan, then the digits
// normalized to 0.DDD e N so that the size of the value is known before converting, and only texts
// near the double range reach the conversion. The decimal separator is '.' or `separator`.
inline std::optional<double> ReferenceRead(TextView t, char16_t separator = u'.') {
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
    } else if ((t[i] == u'.' || t[i] == separator) && !point) {
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
  char* stop = nullptr;
  const double value = strtod_l(normalized.c_str(), &stop, CLocale());
  FUZZ_CHECK(stop == normalized.c_str() + normalized.size(), "reference failed on " + normalized);
  if (std::isinf(value)) return std::nullopt;
  return value; // an underflow is a signed zero or a denormal, as wanted
}

// The longest text "%.15G" can give for a finite double: a sign, fifteen
// digits with their point, and a three-digit exponent, as in
// "-1.23456789012345E-308". The plain form peaks at "-0.000123456789012345"
// (21 units) and "Infinity" forms are shorter.
inline constexpr std::size_t kLongestResultText = 1 + 1 + 1 + 14 + 2 + 3;

// The one 15-digit text above the largest double: what the largest
// quotients round to. It is shown, but does not read back as a number.
inline constexpr char16_t kRoundedMaximum[] = u"1.79769313486232E+308";

// Why `text` is not the "%.15G" text of `value` (finite or infinite, not
// NaN), or nothing when it is: the shape of the text is checked piece by
// piece, and its value must lie within half a unit of its fifteenth
// significant digit from `value`. The decimal separator is `separator`.
inline std::optional<std::string> ResultTextProblem(TextView text, double value,
                                                    char16_t separator = u'.') {
  if (separator != u'.') {
    if (text.find(u'.') != TextView::npos) return "a point where the separator is another";
    Text point(text);
    std::ranges::replace(point, separator, u'.');
    return ResultTextProblem(point, value);
  }
  if (std::isinf(value)) {
    if (text == (value < 0 ? u"-Infinity" : u"Infinity")) return std::nullopt;
    return "an infinite value not written as Infinity";
  }
  if (text.size() > kLongestResultText) return "longer than any %.15G text";

  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == u'-';
  if (negative) ++i;
  if (negative != std::signbit(value)) return "sign differs from the value";

  // Mantissa: digits and at most one point.
  std::string digits;
  std::size_t integerDigits = 0;
  bool point = false;
  for (; i < text.size() && text[i] != u'E'; ++i) {
    if (text[i] == u'.' && !point) {
      point = true;
    } else if (text[i] >= u'0' && text[i] <= u'9') {
      digits.push_back(static_cast<char>(text[i]));
      if (!point) ++integerDigits;
    } else {
      return "unexpected character in the mantissa";
    }
  }
  if (integerDigits == 0) return "no digit before the point";
  if (point && (integerDigits == digits.size() || digits.back() == '0'))
    return "point without digits after it, or a trailing zero";
  if (integerDigits > 1 && digits[0] == '0') return "leading zero";

  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    // Only a zero value writes no significant digit at all.
    if (value != 0 || point || i != text.size() || digits.size() != 1) return "malformed zero";
    return std::nullopt;
  }
  if (digits.size() - first > 15) return "more than 15 significant digits";

  // The decimal exponent of the first significant digit.
  long exponent = static_cast<long>(integerDigits) - 1 - static_cast<long>(first);
  if (i < text.size()) {
    // Exponent form: one non-zero digit before the point, then E, a sign
    // and at least two digits.
    if (integerDigits != 1 || first != 0) return "exponent form needs one leading digit";
    ++i;
    if (i == text.size() || (text[i] != u'+' && text[i] != u'-')) return "exponent without sign";
    const bool negativeExponent = text[i] == u'-';
    ++i;
    const std::size_t exponentDigits = text.size() - i;
    if (exponentDigits < 2 || exponentDigits > 3) return "exponent not two or three digits";
    if (exponentDigits == 3 && text[i] == u'0') return "exponent padded beyond two digits";
    long written = 0;
    for (; i < text.size(); ++i) {
      if (text[i] < u'0' || text[i] > u'9') return "non-digit in the exponent";
      written = written * 10 + (text[i] - u'0');
    }
    exponent = negativeExponent ? -written : written;
    if (exponent >= -4 && exponent < 15) return "exponent form for a plain-form value";
  } else if (exponent < -4 || exponent >= 15) {
    return "plain form for an exponent-form value";
  }

  const std::optional<double> back = ReferenceRead(text);
  if (!back) {
    // Rounding to 15 digits may step just beyond the largest double.
    if (text.substr(negative ? 1 : 0) == TextView(kRoundedMaximum)) return std::nullopt;
    return "does not read back as a number";
  }
  // Half a unit of the 15th digit, plus what reading the text back into a
  // double may round off.
  const double halfUnit = 0.5 * std::pow(10.0, static_cast<double>(exponent - 14));
  const double tolerance = halfUnit * (1 + 1e-12) + std::fabs(value) * 0x1p-52 +
                           2 * std::numeric_limits<double>::denorm_min();
  if (!(std::fabs(*back - value) <= tolerance)) return "not the value rounded to 15 digits";
  return std::nullopt;
}

} // namespace lumbrix::fuzz
