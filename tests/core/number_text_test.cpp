#include "runtime/number_text.hpp"
#include "tests/support/test_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lumbrix {
namespace {

struct ReadCase {
  Text text;
  std::optional<double> value; // nullopt: not a number
  const char* why;
  char16_t separator = u'.'; // the desktop's
};

TEST(ReadNumber, FollowsTheGrammar) {
  const ReadCase cases[] = {
      {u"632.8", 632.8, "plain decimal"},
      {u".5", 0.5, "no integer digits"},
      {u"5.", 5.0, "no fraction digits"},
      {u"+7", 7.0, "explicit plus sign"},
      {u"-5", -5.0, "negative"},
      {u" \t42\t ", 42.0, "blanks around the number"},
      {u"1e3", 1000.0, "exponent"},
      {u"1E+3", 1000.0, "capital exponent with sign"},
      {u"2.5e-1", 0.25, "negative exponent"},
      {u"00", 0.0, "zero written twice"},
      {u"0e99999999999999999999", 0.0, "zero mantissa, huge exponent"},
      {u"1e-400", 0.0, "underflow reads as zero"},
      {u"1e-310", 1e-310, "denormal kept"},
      {u"1.7976931348623157e308", std::numeric_limits<double>::max(), "largest double"},
      {u"1.7976931348623158e308", std::numeric_limits<double>::max(), "rounds down to it"},
      {u"-1.7976931348623158e308", -std::numeric_limits<double>::max(), "and negative"},
      {u"1.8e308", std::nullopt, "beyond the largest double"},
      {u"4.9e-324", std::numeric_limits<double>::denorm_min(), "smallest denormal"},
      {u"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min(), "above its half"},
      {u"2.4703282292062327e-324", 0.0, "below its half: underflows"},
      {u"-4.9e-324", -std::numeric_limits<double>::denorm_min(), "smallest negative denormal"},
      {u"-2.4703282292062328e-324", -std::numeric_limits<double>::denorm_min(), "above its half"},
      {u"-2.4703282292062327e-324", -0.0, "below its half: underflows to minus zero"},
      {u"-1e-400", -0.0, "underflow keeps the sign"},
      {u"", std::nullopt, "empty"},
      {u"   ", std::nullopt, "only blanks"},
      {u".", std::nullopt, "point without digits"},
      {u"-", std::nullopt, "sign without digits"},
      {u"+-1", std::nullopt, "two signs"},
      {u"1.2.3", std::nullopt, "two points"},
      {u"1e", std::nullopt, "exponent without digits"},
      {u"1e+", std::nullopt, "exponent sign without digits"},
      {u"e5", std::nullopt, "exponent without mantissa"},
      {u"1 000", std::nullopt, "blank inside"},
      {u"1,5", std::nullopt, "comma decimal separator"},
      {u"1,000", std::nullopt, "thousands separator"},
      {u"0x10", std::nullopt, "hexadecimal"},
      {u"inf", std::nullopt, "infinity by name"},
      {u"nan", std::nullopt, "not-a-number by name"},
      {u"$5", std::nullopt, "currency sign"},
      {u"1e400", std::nullopt, "overflows the double"},
      {u"-1e99999999999999999999", std::nullopt, "overflow with a huge exponent"},
      {u"\uff11", std::nullopt, "full-width digit"},
      {u"\u0131", std::nullopt, "dotless i, whose low byte is the digit 1"},
      {u"52\u0731", std::nullopt, "a Syriac mark whose low byte is the digit 1"},
      {u"1e9223372036854775808", std::nullopt, "exponent 2^63, which would wrap negative"},
      {u"1e18446744073709551617", std::nullopt, "exponent 2^64 + 1, which would wrap to 1"},
      {u"1e-18446744073709551617", 0.0, "exponent -(2^64 + 1), which would wrap to -1"},
      {u"0." + Text(400, u'0') + u"1.5", std::nullopt, "second point after an underflow"},
      {u"0." + Text(400, u'0') + u"1e", std::nullopt, "empty exponent after an underflow"},
      {u"\u22125", std::nullopt, "Unicode minus"},
      {u"5\u00a0", std::nullopt, "no-break space is not a blank"},
      {Text(u"5\0", 2), std::nullopt, "embedded NUL"},
      {u"Enter a value here.", std::nullopt, "the prompt itself"},
      {u"632,8", 632.8, "the desktop's comma", u','},
      {u"632.8", 632.8, "the point as well, never 6328", u','},
      {u",5e-1", 0.05, "comma first, with an exponent", u','},
      {u"1\u066b5", 1.5, "Arabic decimal separator", u'\u066b'},
      {u"1.240,5", std::nullopt, "grouped with points", u','},
      {u"1,240.5", std::nullopt, "grouped with commas", u','},
      {u"1,2,3", std::nullopt, "two commas", u','},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const auto value = ReadNumber(c.text, c.separator);
    ASSERT_EQ(value.has_value(), c.value.has_value()) << Narrow(c.text);
    if (value) {
      EXPECT_EQ(*value, *c.value) << Narrow(c.text);
      EXPECT_EQ(std::signbit(*value), std::signbit(*c.value)) << Narrow(c.text);
    }
    EXPECT_EQ(IsNumber(c.text, c.separator), c.value.has_value());
  }
}

TEST(ReadNumber, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(*ReadNumber(u"-0")));
  EXPECT_TRUE(std::signbit(*ReadNumber(u"-1e-999")));
  EXPECT_FALSE(std::signbit(*ReadNumber(u"1e-999")));
}

// Each place between the parts of a number, with each kind of white space:
// only a space or a tab, and only before or after the whole number.
TEST(ReadNumber, TakesBlanksOnlyAroundTheNumber) {
  const Text number = u"-12,5E-05";
  for (const char16_t blank : {u' ', u'\t', u'\n', u'\v', u'\f', u'\r', u'\u00a0', u'\u3000'}) {
    for (std::size_t at = 0; at <= number.size(); ++at) {
      const Text text = number.substr(0, at) + blank + number.substr(at);
      const bool taken = (blank == u' ' || blank == u'\t') && (at == 0 || at == number.size());
      EXPECT_EQ(ReadNumber(text, u','), taken ? std::optional(-12.5e-5) : std::nullopt)
          << Narrow(text);
    }
  }
}

TEST(ReadNumber, ReadsVeryLongTexts) {
  // A megabyte paste: long digit runs must neither fail nor overflow.
  const Text digits(1 << 20, u'7');
  EXPECT_FALSE(ReadNumber(digits).has_value()) << "10^1048576 is beyond any double";
  const Text tiny = u"0." + Text(1 << 20, u'0') + u"1";
  EXPECT_EQ(ReadNumber(tiny), 0.0);
  const Text longFraction = u"1." + Text(1 << 20, u'0');
  EXPECT_EQ(ReadNumber(longFraction), 1.0);
  EXPECT_FALSE(ReadNumber(digits + u"x").has_value());
}

struct WriteCase {
  double value;
  const char* text;
  char16_t separator = u'.';
};

TEST(NumberToText, WritesFifteenSignificantDigits) {
  const WriteCase cases[] = {
      {1240 / 632.8, "1.95954487989886"},
      {1240 / 1240.0, "1"},
      {1240 / 35.0, "35.4285714285714"},
      {1240 / 2.0, "620"},
      {1240 / -5.0, "-248"},
      {1240 / 9999999.0, "0.000124000012400001"},
      {1240 / 1e-13, "1.24E+16"},
      {1240 / 1e8, "1.24E-05"},
      {1240 / 123456789.0, "1.00440000914004E-05"},
      {1240 / -123456789.0, "-1.00440000914004E-05"},
      {0.0001, "0.0001"},                 // smallest plain form
      {0.00009999999999999999, "0.0001"}, // rounds up into the plain form
      {0.000099999999999999, "9.9999999999999E-05"},
      {99999999999999.9, "99999999999999.9"}, // largest plain form
      {999999999999999.0, "999999999999999"}, // still fits 15 digits
      {999999999999999.9, "1E+15"},           // rounds into the exponent form
      {1e-10, "1E-10"},                       // two exponent digits, unpadded
      {1e10, "10000000000"},
      {1e20, "1E+20"},
      {1e100, "1E+100"},                 // three exponent digits
      {5e-324, "4.94065645841247E-324"}, // smallest denormal
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {-std::numeric_limits<double>::max(), "-1.79769313486232E+308"},
      {1e-100, "1E-100"},
      {1234567890123455.0, "1.23456789012346E+15"}, // ties at 15 digits go to even
      {1234567890123445.0, "1.23456789012344E+15"},
      {123456789012345.5, "123456789012346"},
      {123456789012344.5, "123456789012344"},
      {-0x1p-22, "-2.38418579101562E-07"}, // exactly -2.384185791015625E-07
      {0x3p-21, "1.43051147460938E-06"},   // exactly 1.430511474609375E-06
      {0.1 + 0.2, "0.3"},                  // binary noise is rounded away
      {std::numeric_limits<double>::infinity(), "Infinity"},
      {-std::numeric_limits<double>::infinity(), "-Infinity"},
      {1240 / 632.8, "1,95954487989886", u','},
      {1240 / 1e20, "1,24E-17", u','},
      {1240 / 1e-13, "1,24E+16", u','},
      {std::numeric_limits<double>::infinity(), "Infinity", u','},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberToText(c.value, c.separator), Widen(c.text)) << c.text;
  }
}

// Every form the writer gives (plain, E+, E-, 2 and 3 exponent digits, the
// smallest denormal to the largest double, any sign, separator and exponent
// letter) is the C library's "%.15G" and reads back as the C library reads it,
// but for the largest doubles: their 15 digits are past the largest double.
TEST(NumberToText, ReadsBackWhatItWrites) {
  for (int exponent = -1074; exponent <= 1023; exponent += 3) // ends at the largest double
    for (const double mantissa : {1.0, 1.2345678901234567, 1.9999999999999998})
      for (const double v : {std::ldexp(mantissa, exponent), -std::ldexp(mantissa, exponent)})
        for (const char16_t separator : {u'.', u',', u'\u066b'}) {
          const Text text = NumberToText(v, separator);
          std::string ascii, c(32, '\0');
          for (const char16_t ch : text) ascii += ch == separator ? '.' : static_cast<char>(ch);
          c.resize(std::snprintf(c.data(), c.size(), "%.15G", v));
          EXPECT_EQ(ascii, c);
#ifdef _WIN32
          // The Windows C library's strtod is not correctly rounded.
          double read = std::numeric_limits<double>::infinity();
          std::from_chars(ascii.data() + (ascii[0] == '-'), ascii.data() + ascii.size(), read);
          read = ascii[0] == '-' ? -read : read;
#else
          const double read = std::strtod(ascii.c_str(), nullptr);
#endif
          const auto expected = std::isinf(read) ? std::nullopt : std::optional(read);
          EXPECT_EQ(std::isinf(read), std::fabs(v) > 1.797693134862315e308) << ascii;
          EXPECT_EQ(ReadNumber(text, separator), expected) << ascii;
          Text lower = text;
          std::replace(lower.begin(), lower.end(), u'E', u'e');
          EXPECT_EQ(ReadNumber(lower, separator), expected) << ascii;
        }
}

// Only a character no number can hold becomes the separator.
TEST(DecimalSeparatorFrom, TakesOnlyAnUnmistakableCharacter) {
  const struct {
    Text desktops;
    char16_t used;
  } rows[] = {{u",", u','}, {u".", u'.'},      {u"\u066b", u'\u066b'}, {u"", u'.'},  {u",,", u'.'},
              {u"5", u'.'}, {u"-", u'.'},      {u"+", u'.'},           {u"e", u'.'}, {u"E", u'.'},
              {u" ", u'.'}, {u"\u00a0", u'.'}, {u"\u202f", u'.'},      {u"\t", u'.'}};
  for (const auto& row : rows)
    EXPECT_EQ(DecimalSeparatorFrom(row.desktops), row.used) << Narrow(row.desktops);
}

} // namespace
} // namespace lumbrix
