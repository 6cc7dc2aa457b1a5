#include "conversion/spoken_result.hpp"

#include "conversion/converter_controller.hpp"

namespace lumbrix {

Text SpokenResult(const ConverterFields& fields) {
  if (!fields.Text2.text.empty())
    return fields.Text4.empty() ? fields.Text2.text : fields.Text2.text + u' ' + fields.Text4;
  if (fields.Text1.text == kPrompt) return kPrompt;
  // Only a value of zero has no quotient; the result box then stays empty.
  return u"No result for a value of zero";
}

} // namespace lumbrix
