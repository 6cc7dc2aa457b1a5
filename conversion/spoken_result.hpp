#pragma once

#include "conversion/converter_fields.hpp"
#include "runtime/translatable.hpp"

namespace lumbrix {

// Said when a value of zero has no result; the shell passes these words in
// the user's language.
inline constexpr Translatable kNoResultForZero =
    LUMBRIX_TRANSLATABLE("SpokenResult", "No result for a value of zero");

// What a screen reader says once Enter has converted: the result with its
// unit ("620 nm"), the result alone when it has no unit, the prompt when the
// input was refused, and `noResult` for a value of zero.
Text SpokenResult(const ConverterFields& fields, TextView noResult);
// The same with kNoResultForZero in English.
Text SpokenResult(const ConverterFields& fields);

} // namespace lumbrix
