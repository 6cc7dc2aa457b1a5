#include "window/qt/box_font.hpp"

#include "window/layout.hpp"

#include <QFontMetrics>
#include <QStringList>

namespace lumbrix {
namespace {

// Sizes in pixels at 96 dpi. A line edit's frame and inner margins take
// kBoxChrome of its width.
constexpr int kBoxChrome = 8;
constexpr int kPreferredPixelSize = 11;
constexpr int kSmallestPixelSize = 8;

int AtDpi(int pixels, int dpi) { return pixels * dpi / 96; }

int WidestAdvance(const QFont& font) {
  const QFontMetrics metrics(font);
  int widest = 0;
  for (const char* text : kWidestTexts)
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(text)));
  return widest;
}

} // namespace

QFont BoxFont(const QFont& base, int boxWidth, int dpi) {
  QFont font = base;
  // Narrow faces first; whatever the system substitutes is shrunk to fit.
  font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Tahoma"),
                    QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow")});
  font.setPixelSize(AtDpi(kPreferredPixelSize, dpi));
  const int smallest = AtDpi(kSmallestPixelSize, dpi);
  const int room = boxWidth - AtDpi(kBoxChrome, dpi);
  while (font.pixelSize() > smallest && WidestAdvance(font) > room)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

QFont ButtonFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Normal);
  return font;
}

} // namespace lumbrix
