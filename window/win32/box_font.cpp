#include "window/win32/box_font.hpp"

#include "window/layout.hpp"
#include "window/win32/wide.hpp"

#include <algorithm>
#include <cstdlib>

namespace lumbrix {
namespace {

// Sizes in pixels at 96 dpi.
constexpr int kBoxMargin = 2;
constexpr int kSmallestPixelSize = 8;

int AtDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

int WidestAdvance(HDC dc, HFONT font) {
  const HGDIOBJ old = SelectObject(dc, font);
  int widest = 0;
  for (const char* narrow : kWidestTexts) {
    const std::wstring text = Widen(narrow);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, old);
  return widest;
}

} // namespace

int BoxMargin(int dpi) { return AtDpi(kBoxMargin, dpi); }

HFONT CreateBoxFont(int boxWidth, int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font{};
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    font = metrics.lfMessageFont;
  if (font.lfHeight == 0) font.lfHeight = -MulDiv(9, dpi, 72);
  const int sign = font.lfHeight < 0 ? -1 : 1;
  const int smallest = AtDpi(kSmallestPixelSize, dpi);
  // What the sunken border and the margins leave of the box's width.
  const int edge = GetSystemMetricsForDpi(SM_CXEDGE, static_cast<UINT>(dpi));
  const int room = boxWidth - 2 * edge - 2 * BoxMargin(dpi);

  const HDC dc = GetDC(nullptr);
  HFONT fitting = CreateFontIndirectW(&font);
  while (std::abs(font.lfHeight) > smallest && WidestAdvance(dc, fitting) > room) {
    DeleteObject(fitting);
    font.lfHeight -= sign;
    fitting = CreateFontIndirectW(&font);
  }
  ReleaseDC(nullptr, dc);
  return fitting;
}

HFONT CreateButtonFont(int dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(825, dpi, 72 * 100);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  wcscpy_s(font.lfFaceName, L"Tahoma");
  return CreateFontIndirectW(&font);
}

} // namespace lumbrix
