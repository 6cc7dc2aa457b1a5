#pragma once

// Marks the program's own English texts for translation without any window
// toolkit: lupdate is told to read LUMBRIX_TRANSLATABLE as QT_TRANSLATE_NOOP
// and files each marked text in translations/*.ts under its context; the
// compiler sees a plain pair of strings, which each shell looks up in its own
// way (Qt's translators, the Windows string table).

namespace lumbrix {

struct Translatable {
  const char* context; // nullptr: the same in every language
  const char* text;    // English, UTF-8
};

// The product's own names stay as they are in every language.
constexpr Translatable Untranslated(const char* text) { return {nullptr, text}; }

} // namespace lumbrix

#define LUMBRIX_TRANSLATABLE(context, text) (::lumbrix::Translatable{context, text})
