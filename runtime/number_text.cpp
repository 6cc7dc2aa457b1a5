#include "runtime/number_text.hpp"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>

#include <algorithm>
#include <cmath>
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

  // An ASCII copy of the number without blanks or '+', with '.' for the
  // separator, as fast_float reads it; never longer than the text.
  std::string ascii(n - i, '\0');
  char* out = ascii.data();
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') *out++ = '-';
    ++i;
  }
  bool sawDigit = false, sawPoint = false;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      sawDigit = true;
      *out++ = static_cast<char>(c);
    } else if ((c == u'.' || c == separator) && !sawPoint) {
      sawPoint = true;
      *out++ = '.';
    } else {
      break;
    }
  }
  if (!sawDigit) return std::nullopt;

  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    *out++ = 'e';
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) *out++ = static_cast<char>(text[i++]);
    const std::size_t firstExponentDigit = i;
    for (; i < n && IsDigit(text[i]); ++i) *out++ = static_cast<char>(text[i]);
    if (i == firstExponentDigit) return std::nullopt;
  }
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return std::nullopt;

  // fast_float gives a signed infinity for a value too large and a signed
  // zero for one too small, and says so either with success (3.x) or with
  // result_out_of_range (later versions).
  double value = 0.0;
  const auto [end, ec] = fast_float::from_chars(ascii.data(), out, value);
  const bool read = ec == std::errc() || ec == std::errc::result_out_of_range;
  if (!read || end != out || std::isinf(value)) return std::nullopt;
  return value;
}

Text NumberToText(double value, char16_t separator) {
  if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";
  if (std::isnan(value)) return u"NaN";
  // {fmt}'s G follows printf's: plain or exponent form by the rounded
  // exponent, trailing zeros dropped, two exponent digits at least; it
  // rounds the exact binary value, ties to even, and ignores the locale.
  // The longest is "-1.79769313486232E+308", 22 characters.
  char buffer[32];
  char* const end = fmt::format_to(buffer, FMT_COMPILE("{:.15G}"), value);
  Text text(buffer, end);
  for (char16_t& c : text)
    if (c == u'.') c = separator;
  return text;
}

} // namespace lumbrix
