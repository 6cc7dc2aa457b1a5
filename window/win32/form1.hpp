#pragma once

#include "window/controls.hpp"
#include "window/win32/announcer.hpp"
#include "window/win32/box_hook.hpp"
#include "window/win32/screen_reader_texts.hpp"

#include <windows.h>

#include <array>
#include <string>

namespace lumbrix {

// The converter window on the Windows API: the input and its unit on top,
// the result and its unit beneath, the maker's button below. It turns key
// presses and clicks into controller calls and writes the results back.
class Form1 final : BoxEvents {
public:
  Form1(HINSTANCE instance, std::wstring homePage);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates the window, centred on the work area of its monitor, and shows
  // it. Ending the program destroys it and posts the quit message.
  HWND Show(int showCommand);

private:
  struct Child {
    const Control* row = nullptr;
    HWND hwnd = nullptr;
    BoxHook hook;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // Places, sizes and fonts everything for `dpi`.
  void Layout(int dpi);
  void LoadIcons(int dpi);
  HBRUSH Colour(HWND control, HDC dc) const;

  void KeyPressed(HWND box, KeyAscii key) override;
  void Clicked(HWND box) override;
  // The boxes as the handler left them and as written back.
  template <class Handler> ConverterFields Handle(Handler handler);
  ConverterFields ReadFields() const;
  HWND Box(const char* name) const;
  void Command_Click();

  HINSTANCE instance_;
  std::wstring homePage_;
  // The desktop's decimal separator, read once as the window opens.
  char16_t separator_;
  HWND window_ = nullptr;
  std::array<Child, std::size(kControls)> children_;
  HFONT boxFont_ = nullptr;
  HFONT buttonFont_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HWND lastFocus_ = nullptr;
  ScreenReaderTexts screenReaderTexts_;
  Announcer announcer_;
  bool ended_ = false;
};

} // namespace lumbrix
