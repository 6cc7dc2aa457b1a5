#pragma once

#include "window/controls.hpp"

#include <windows.h>

struct IAccPropServices;

namespace lumbrix {

// Gives controls the accessible name and description of their table row.
// The boxes have no labels a screen reader could read instead. Needs COM
// on this thread; without the service it does nothing.
class ScreenReaderTexts {
public:
  ScreenReaderTexts();
  ~ScreenReaderTexts();
  ScreenReaderTexts(const ScreenReaderTexts&) = delete;
  ScreenReaderTexts& operator=(const ScreenReaderTexts&) = delete;

  void Describe(HWND control, const Control& row);
  // Makes `control` a polite live region: screen readers speak its name
  // when told it changed, after what they are saying.
  void MarkLiveRegion(HWND control);
  // Called before the control goes, so the service holds no stale window.
  void Forget(HWND control);

private:
  IAccPropServices* services_ = nullptr;
};

} // namespace lumbrix
