#include "window/win32/box_hook.hpp"

#include "window/win32/input_menu.hpp"
#include "window/win32/wide.hpp"

#include <windowsx.h>

namespace lumbrix {
namespace {

constexpr WPARAM kCtrlA = 1; // the character Ctrl+A types

bool IsEnterOrEscape(WPARAM key) { return key == VK_RETURN || key == VK_ESCAPE; }

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& hook = *reinterpret_cast<BoxHook*>(GetWindowLongPtrW(box, GWLP_USERDATA));
  const auto control = [&hook, box](UINT m, WPARAM w, LPARAM l) {
    return CallWindowProcW(hook.control, box, m, w, l);
  };
  switch (message) {
  case WM_GETDLGCODE: {
    // Without this the dialog manager takes Enter and Escape for its
    // default and cancel buttons and the box never sees them.
    const LRESULT code = control(message, wParam, lParam);
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (hook.takesEnterAndEscape && msg &&
        (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && IsEnterOrEscape(msg->wParam))
      return code | DLGC_WANTALLKEYS;
    return code;
  }
  case WM_CHAR:
    if (hook.takesEnterAndEscape && IsEnterOrEscape(wParam)) {
      // Handled here, so the control does not beep.
      hook.events->KeyPressed(box, static_cast<KeyAscii>(wParam));
      return 0;
    }
    if (wParam == kCtrlA) {
      // Not every edit control selects all on Ctrl+A by itself.
      SendMessageW(box, EM_SETSEL, 0, -1);
      return 0;
    }
    break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: // the second press of a double click is a click of its own
    hook.pressedInside = true;
    break;
  case WM_LBUTTONUP: {
    // The control places its cursor first; the click handler's selection
    // then stands.
    const LRESULT result = control(message, wParam, lParam);
    RECT client;
    GetClientRect(box, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool click = hook.pressedInside && PtInRect(&client, at);
    hook.pressedInside = false;
    if (click) hook.events->Clicked(box);
    return result;
  }
  case WM_CONTEXTMENU:
    // From the right mouse button, Shift+F10 and the Menu key alike.
    if (hook.resultBox && ShowInputMenu(box, lParam, hook.resultBox)) return 0;
    break;
  case WM_NCDESTROY:
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.control));
    break;
  default:
    break;
  }
  return control(message, wParam, lParam);
}

} // namespace

// By hand rather than with SetWindowSubclass, whose state Wine keeps in a
// window property: each message to the box fetched it from Wine's server,
// a third of the time Enter took there.
void HookBox(HWND box, BoxHook& hook) {
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
  hook.control = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc)));
}

Text ReadText(HWND box) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

SelectableBox ReadBox(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {ReadText(box), {start, end - start}};
}

void WriteText(HWND box, const Text& before, const Text& after) {
  if (after != before) SetWindowTextW(box, ToWide(after).c_str());
}

void WriteBox(HWND box, const SelectableBox& before, const SelectableBox& after) {
  if (after == before) return;
  WriteText(box, before.text, after.text);
  const auto start = static_cast<WPARAM>(after.selection.start);
  SendMessageW(box, EM_SETSEL, start, static_cast<LPARAM>(start + after.selection.length));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

} // namespace lumbrix
