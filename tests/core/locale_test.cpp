#include "runtime/number_text.hpp"
#include "tests/support/test_text.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace lumbrix {
namespace {

// The window toolkit sets the process locale from the environment; numbers
// must read and write the same under a comma-decimal locale.
TEST(NumberText, IgnoresTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  // glibc's name for German, then the Windows C runtime's.
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252"))
    GTEST_SKIP() << "no German locale (de_DE.UTF-8 is not generated)";
  // Emscripten's C library takes any locale name and still writes '.': there
  // the page's comma comes from the browser's language (tests/web) instead.
  const std::string point = std::localeconv()->decimal_point;
  if (point != ",") {
    std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "the German locale writes decimals with '" << point << "' here, not ','";
  }
  EXPECT_EQ(ReadNumber(u"632.8"), 632.8);
  EXPECT_FALSE(IsNumber(u"632,8"));
  EXPECT_EQ(NumberToText(1240 / 632.8), u"1.95954487989886");
  EXPECT_EQ(NumberToText(1240 / 123456789.0), u"1.00440000914004E-05");
  std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace lumbrix
