#pragma once

#include "conversion/converter_fields.hpp"

namespace lumbrix {

// What a screen reader says once Enter has converted: the result with its
// unit ("620 nm"), the result alone when it has no unit, the prompt when the
// input was refused, and that there is no result for a value of zero.
Text SpokenResult(const ConverterFields& fields);

} // namespace lumbrix
