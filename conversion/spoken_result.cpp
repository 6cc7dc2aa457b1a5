#include "conversion/spoken_result.hpp"

#include "conversion/converter_controller.hpp"

#include <string_view>

namespace lumbrix {

Text SpokenResult(const ConverterFields& fields, TextView noResult) {
  if (!fields.Text2.text.empty())
    return fields.Text4.empty() ? fields.Text2.text : fields.Text2.text + u' ' + fields.Text4;
  if (fields.Text1.text == kPrompt) return kPrompt;
  // Only a value of zero has no quotient; the result box then stays empty.
  return Text(noResult);
}

Text SpokenResult(const ConverterFields& fields) {
  // The English is ASCII: each byte is its own UTF-16 unit.
  const std::string_view english = kNoResultForZero.text;
  return SpokenResult(fields, Text(english.begin(), english.end()));
}

} // namespace lumbrix
