#pragma once

#include "runtime/translatable.hpp"

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace lumbrix {

// Qt's own texts (the edit menu, message box buttons) and the program's, in
// the first of the locale's UI languages that has them, for as long as this
// lives. Needs the application object; English where no translation is found.
class Translations {
public:
  explicit Translations(const QLocale& locale = QLocale());

private:
  QTranslator qt_;
  QTranslator own_;
};

// The text in the language of the installed translations.
QString Translated(const Translatable& text);

} // namespace lumbrix
