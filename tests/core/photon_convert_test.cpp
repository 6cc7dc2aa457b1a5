#include "conversion/photon_convert.hpp"
#include "tests/support/test_text.hpp"

#include <gtest/gtest.h>

namespace lumbrix {
namespace {

const UnitPair kEnergy{u"eV", u"nm"};
const UnitPair kWavelength{u"nm", u"eV"};

struct ConvertCase {
  Text input;
  std::optional<Text> result; // nullopt: the division fails
  std::optional<UnitPair> units;
};

TEST(PhotonConvert, ConvertsAndClassifies) {
  const ConvertCase cases[] = {
      // The worked values shown to users.
      {u"632.8", u"1.95954487989886", kWavelength},
      {u"1240", u"1", kWavelength},
      {u"35", u"35.4285714285714", kEnergy},
      {u"2", u"620", kEnergy},
      {u"-5", u"-248", std::nullopt},
      // Range bounds: both tests include 35, and the energy test wins.
      {u"0.0001", u"12400000", kEnergy},
      {u"35.0000001", u"35.4285713273469", kWavelength},
      {u"9999999", u"0.000124000012400001", kWavelength},
      {u"9999999.5", u"0.0001240000062", std::nullopt},
      {u"1e8", u"1.24E-05", std::nullopt},
      {u"1", u"1240", kEnergy},
      {u"-0.0001", u"-12400000", std::nullopt},
      // Zero values fail; the exact text "0" never gets here.
      {u"0.0", std::nullopt, kEnergy},
      {u"00", std::nullopt, kEnergy},
      {u"-0", std::nullopt, kEnergy},
      {u"0e5", std::nullopt, kEnergy},
      // A quotient beyond the double range is infinite, not a failure.
      {u"1E-306", u"Infinity", kEnergy},
      {u"1E-310", u"Infinity", kEnergy},
      {u"-1E-306", u"-Infinity", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.input));
    EXPECT_EQ(PhotonConvert(c.input), c.result);
    EXPECT_EQ(ClassifyUnits(c.input), c.units);
  }
}

} // namespace
} // namespace lumbrix
