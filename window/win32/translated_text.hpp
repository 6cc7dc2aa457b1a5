#pragma once

#include "runtime/translatable.hpp"

#include <string>

namespace lumbrix {

// The text from the program's string table in the thread's UI language, as
// Windows picks it (the user's display language, then English); the English
// itself when the table lacks it.
std::wstring Translated(const Translatable& text);

// The string table entry `id` (the generated string_ids.hpp), empty when there is none.
std::wstring TranslatedById(unsigned id);

// `text` with "%1" replaced by `argument`, as the translations write it.
std::wstring WithArgument(std::wstring text, const std::wstring& argument);

} // namespace lumbrix
