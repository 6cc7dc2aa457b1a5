#include "runtime/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace lumbrix {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Blanks in any script, which desktops use to group digits.
bool IsAnyBlank(char16_t c) {
  return IsBlank(c) || c == u'\u00a0' || c == u'\u1680' || (c >= u'\u2000' && c <= u'\u200b') ||
         c == u'\u202f' || c == u'\u205f' || c == u'\u3000' || c == u'\ufeff';
}

// Exponents beyond this are far outside any double; capping keeps the
// arithmetic below from overflowing on absurdly long exponent digits.
constexpr std::int64_t kExponentCap = 1'000'000'000;

} // namespace

char16_t DecimalSeparatorFrom(TextView desktops) {
  if (desktops.size() != 1) return u'.';
  const char16_t c = desktops.front();
  const bool mistakable = IsDigit(c) || c == u'+' || c == u'-' || c == u'\u2212' || c == u'e' ||
                          c == u'E' || IsAnyBlank(c) || c < u' ' || c == u'\u007f' ||
                          (c >= 0xd800 && c <= 0xdfff);
  return mistakable ? u'.' : c;
}

std::optional<double> ReadNumber(TextView text, char16_t separator) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;

  // An ASCII copy of the number without blanks or '+', as from_chars wants it.
  std::string ascii;
  ascii.reserve(n - i);
  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    if (negative) ascii.push_back('-');
    ++i;
  }

  // Track where the first significant digit sits, so that a value too large
  // or too small for a double can be told apart from the other.
  bool sawDigit = false, sawPoint = false, sawSignificant = false;
  std::int64_t significantInteger = 0, leadingFractionZeros = 0;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      sawDigit = true;
      if (!sawSignificant && c != u'0') sawSignificant = true;
      if (!sawPoint && sawSignificant) ++significantInteger;
      if (sawPoint && !sawSignificant) ++leadingFractionZeros;
      ascii.push_back(static_cast<char>(c));
    } else if ((c == u'.' || c == separator) && !sawPoint) {
      sawPoint = true;
      ascii.push_back('.');
    } else {
      break;
    }
  }
  if (!sawDigit) return std::nullopt;

  std::int64_t exponent = 0;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
      negativeExponent = text[i] == u'-';
      ascii.push_back(static_cast<char>(text[i]));
      ++i;
    }
    const std::size_t firstExponentDigit = i;
    for (; i < n && IsDigit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i] - u'0'), kExponentCap);
      ascii.push_back(static_cast<char>(text[i]));
    }
    if (i == firstExponentDigit) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return std::nullopt;

  double value = 0.0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ec == std::errc() && end == ascii.data() + ascii.size()) return value;
  if (ec != std::errc::result_out_of_range) return std::nullopt;

  // Out of range: too large is not a number, too small rounds to zero.
  const std::int64_t magnitude =
      (significantInteger > 0 ? significantInteger - 1 : -(leadingFractionZeros + 1)) + exponent;
  if (sawSignificant && magnitude > 0) return std::nullopt;
  return negative ? -0.0 : 0.0;
}

Text NumberToText(double value, char16_t separator) {
  if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";
  if (std::isnan(value)) return u"NaN";

  // Fifteen significant digits in scientific form tell the decimal exponent
  // after rounding, which decides between plain and exponent form.
  char buffer[64];
  auto scientific =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(scientific.ptr - buffer));
  const std::size_t e = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);

  auto trimZeros = [](std::string s) {
    if (s.find('.') != std::string::npos) {
      s.erase(s.find_last_not_of('0') + 1);
      if (s.back() == '.') s.pop_back();
    }
    return s;
  };

  std::string out;
  if (exponent < -4 || exponent >= 15) {
    out = trimZeros(std::string(sci.substr(0, e)));
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out += exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  } else {
    auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                               14 - exponent);
    out = trimZeros(std::string(buffer, fixed.ptr));
  }
  Text written(out.begin(), out.end());
  std::ranges::replace(written, u'.', separator);
  return written;
}

} // namespace lumbrix
