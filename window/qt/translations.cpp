#include "window/qt/translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace lumbrix {

Translations::Translations(const QLocale& locale) {
  // Debian's qt6-translations-l10n puts Qt's own in Qt's translations folder;
  // the program's are built in (translations/*.ts).
  if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qt_);
  if (own_.load(locale, QStringLiteral("lumbrix"), QStringLiteral("_"), QStringLiteral(":/i18n")))
    QCoreApplication::installTranslator(&own_);
}

QString Translated(const Translatable& text) {
  return text.context ? QCoreApplication::translate(text.context, text.text)
                      : QString::fromUtf8(text.text);
}

} // namespace lumbrix
