#pragma once

#include "conversion/converter_controller.hpp"

#include <windows.h>

namespace lumbrix {

// What a text box tells its window.
class BoxEvents {
public:
  virtual void KeyPressed(HWND box, KeyAscii key) = 0;
  virtual void Clicked(HWND box) = 0;

protected:
  ~BoxEvents() = default;
};

// A box's subclass state; it must outlive the box.
struct BoxHook {
  BoxEvents* events = nullptr;
  // Enter and Escape go to the window's key handler rather than the dialog
  // manager.
  bool takesEnterAndEscape = false;
  // The box whose text Copy result, last in this box's context menu, copies;
  // none: the box's own menu.
  HWND resultBox = nullptr;
  bool pressedInside = false;
  // The control's own window procedure, which every message goes on to.
  WNDPROC control = nullptr;
};

// Subclasses an EDIT control: Enter and Escape become key presses, a left
// click becomes a click after the control has placed its cursor, Ctrl+A
// selects all, read-only or not, and the context menu offers Copy result
// when the hook names a result box.
void HookBox(HWND box, BoxHook& hook);

// Moves texts and selections between the edit controls and ConverterFields.
SelectableBox ReadBox(HWND box);
Text ReadText(HWND box);
// Writes only what changed since `before`, so an untouched box keeps its cursor.
void WriteBox(HWND box, const SelectableBox& before, const SelectableBox& after);
void WriteText(HWND box, const Text& before, const Text& after);

} // namespace lumbrix
