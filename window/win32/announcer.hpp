#pragma once

#include "runtime/text.hpp"
#include "window/win32/screen_reader_texts.hpp"

#include <windows.h>

namespace lumbrix {

// A polite live region for screen readers: a static control with no size,
// whose name is what was said last. They speak its name when told that it
// changed, whatever has the focus; the result box's own changes go
// unspoken, as it has none.
class Announcer {
public:
  // Creates the control in `parent`; `texts` marks it a live region.
  void Create(HWND parent, HINSTANCE instance, ScreenReaderTexts& texts);

  // Says `text`, even when that is what it said last.
  void Say(const Text& text) const;

  HWND control() const { return control_; }

private:
  HWND control_ = nullptr;
};

} // namespace lumbrix
