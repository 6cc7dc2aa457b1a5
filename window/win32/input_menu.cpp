#include "window/win32/input_menu.hpp"

#include "window/texts.hpp"
#include "window/win32/box_hook.hpp"
#include "window/win32/translated_text.hpp"
#include "window/win32/wide.hpp"

#include <windowsx.h>

#include <algorithm>
#include <string>

namespace lumbrix {
namespace {

// The edit menu's items are the messages they send to the box; ours is not
// one of them.
constexpr UINT kCopyResultId = 1;
constexpr UINT kEditCommands[] = {EM_UNDO, WM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, EM_SETSEL};

bool IsEditCommand(UINT id) {
  return std::ranges::find(kEditCommands, id) != std::end(kEditCommands);
}

// The menu the edit control shows, from the system in the user's language:
// resource 1 of user32 on Windows, "EDITMENU" under Wine. A menu bar whose
// first item is the popup.
HMENU LoadEditMenu() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const wchar_t* const names[] = {MAKEINTRESOURCEW(1), L"EDITMENU"};
  for (const wchar_t* name : names) {
    const HMENU bar = LoadMenuW(user32, name);
    if (!bar) continue;
    if (GetMenuState(GetSubMenu(bar, 0), WM_COPY, MF_BYCOMMAND) != static_cast<UINT>(-1))
      return bar;
    DestroyMenu(bar);
  }
  return nullptr;
}

// Keeps the plain editing items: the reading-order, Unicode and input-method
// items act on the edit control's internals, which a menu of our own cannot
// reach. Leaves no separator first, last or twice.
void KeepEditCommands(HMENU popup) {
  for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i)
    if (const UINT id = GetMenuItemID(popup, i); id != 0 && !IsEditCommand(id))
      DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
  bool lastWasSeparator = true;
  for (int i = 0; i < GetMenuItemCount(popup);) {
    const bool separator =
        (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    const bool last = i == GetMenuItemCount(popup) - 1;
    if (separator && (lastWasSeparator || last)) {
      DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
      continue;
    }
    lastWasSeparator = separator;
    ++i;
  }
}

void Enable(HMENU popup, UINT id, bool enabled) {
  EnableMenuItem(popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// As the edit control greys its own items.
void GreyAsTheBox(HMENU popup, HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const bool writable = (GetWindowLongW(box, GWL_STYLE) & ES_READONLY) == 0;
  const bool canUndo = SendMessageW(box, EM_CANUNDO, 0, 0) != 0;
  Enable(popup, EM_UNDO, canUndo && writable);
  Enable(popup, WM_UNDO, canUndo && writable);
  Enable(popup, WM_CUT, selected && writable);
  Enable(popup, WM_COPY, selected);
  Enable(popup, WM_PASTE, writable && IsClipboardFormatAvailable(CF_UNICODETEXT));
  Enable(popup, WM_CLEAR, selected && writable);
  const auto length = static_cast<DWORD>(GetWindowTextLengthW(box));
  Enable(popup, EM_SETSEL, start != 0 || end != length);
}

POINT MenuPoint(HWND box, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: the middle of the box, where the box puts its own.
    RECT client;
    GetClientRect(box, &client);
    point = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(box, &point);
  }
  return point;
}

void CopyText(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (auto* copy = memory ? static_cast<wchar_t*>(GlobalLock(memory)) : nullptr) {
    std::copy_n(text.c_str(), text.size() + 1, copy);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it takes it.
    if (SetClipboardData(CF_UNICODETEXT, memory)) memory = nullptr;
  }
  if (memory) GlobalFree(memory);
  CloseClipboard();
}

} // namespace

bool ShowInputMenu(HWND box, LPARAM at, HWND resultBox) {
  const HMENU bar = LoadEditMenu();
  if (!bar) return false;
  const HMENU popup = GetSubMenu(bar, 0);
  KeepEditCommands(popup);
  GreyAsTheBox(popup, box);
  const std::wstring result = ToWide(ReadText(resultBox));
  AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(popup, MF_STRING | (result.empty() ? MF_GRAYED : MF_ENABLED), kCopyResultId,
              Translated(kCopyResult).c_str());

  if (GetFocus() != box) SetFocus(box);
  const POINT point = MenuPoint(box, at);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x,
                     point.y, 0, box, nullptr));
  DestroyMenu(bar);
  if (chosen == kCopyResultId)
    CopyText(box, result);
  else if (IsEditCommand(chosen))
    SendMessageW(box, chosen == EM_UNDO ? WM_UNDO : chosen, 0, chosen == EM_SETSEL ? -1 : 0);
  return true;
}

} // namespace lumbrix
