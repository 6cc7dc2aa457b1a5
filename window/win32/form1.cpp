#include "window/win32/form1.hpp"

#include "conversion/spoken_result.hpp"
#include "window/layout.hpp"
#include "window/product.hpp"
#include "window/start_text.hpp"
#include "window/texts.hpp"
#include "window/win32/box_font.hpp"
#include "window/win32/translated_text.hpp"
#include "window/win32/wide.hpp"

#include <shellapi.h>

#include <cstring>
#include <iterator>
#include <utility>

namespace lumbrix {
namespace {

constexpr wchar_t kClassName[] = L"LumbrixForm1";
// A title bar with a system menu and close button; no sizing border, and
// neither minimize nor maximize.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and
// Escape when the focus is elsewhere.
constexpr int kFirstControlId = 100;
constexpr WORD kIconId = 1;

// A rectangle in pixels at `dpi`.
RECT PixelRect(const TwipsRect& twips, int dpi) {
  const PixelEdges edges = ToPixels(twips, dpi);
  return {edges.left, edges.top, edges.right, edges.bottom};
}

// The window's outer size for the client area at `dpi`.
SIZE WindowSize(int dpi) {
  RECT rect = PixelRect(kClientArea, dpi);
  AdjustWindowRectExForDpi(&rect, kStyle, FALSE, 0, static_cast<UINT>(dpi));
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The user's decimal symbol from the region settings, set by hand or by the
// regional format.
char16_t DesktopDecimalSeparator() {
  wchar_t symbol[8] = {}; // Windows allows at most three characters
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, symbol,
                                     static_cast<int>(std::size(symbol)));
  return DecimalSeparatorFrom(FromWide(std::wstring(symbol, length > 0 ? length - 1 : 0)));
}

int ColourIndex(Background background) {
  return background == Background::Menu ? COLOR_MENU : COLOR_WINDOW;
}

} // namespace

Form1::Form1(HINSTANCE instance, std::wstring homePage)
    : instance_(instance), homePage_(std::move(homePage)), separator_(DesktopDecimalSeparator()) {
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i].row = &kControls[i];
}

Form1::~Form1() {
  if (boxFont_) DeleteObject(boxFont_);
  if (buttonFont_) DeleteObject(buttonFont_);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

HWND Form1::Show(int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Form1::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  // Created where Windows would place it, to learn its monitor and that
  // monitor's dpi, then sized and centred there.
  CreateWindowExW(0, kClassName, Widen(kProductName).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  if (!window_) return nullptr;
  const int dpi = static_cast<int>(GetDpiForWindow(window_));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const SIZE size = WindowSize(dpi);
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
               work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);

  CreateControls();
  announcer_.Create(window_, instance_, screenReaderTexts_);
  Layout(dpi);
  LoadIcons(dpi);
  ShowWindow(window_, showCommand);
  // The focus starts at the lowest tab index.
  lastFocus_ = Box("Text1");
  SetFocus(lastFocus_);
  return window_;
}

void Form1::CreateControls() {
  for (std::size_t i = 0; i < children_.size(); ++i) {
    Child& child = children_[i];
    const Control& row = *child.row;
    const bool button = row.kind == ControlKind::Button;
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (row.tabStop) style |= WS_TABSTOP;
    style |= button ? BS_PUSHBUTTON : ES_AUTOHSCROLL | (row.readOnly ? ES_READONLY : 0);
    child.hwnd = CreateWindowExW(
        button ? 0 : WS_EX_CLIENTEDGE, button ? L"BUTTON" : L"EDIT",
        Widen(StartText(row, separator_).c_str()).c_str(), style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance_, nullptr);
    screenReaderTexts_.Describe(child.hwnd, row);
    if (button) continue;
    child.hook.events = this;
    // The controller has key handlers for the input and the result only.
    child.hook.takesEnterAndEscape =
        std::strcmp(row.name, "Text1") == 0 || std::strcmp(row.name, "Text2") == 0;
    HookBox(child.hwnd, child.hook);
  }
  // The result box is out of the Tab order, so the input's context menu
  // (Shift+F10 or the Menu key) is the keyboard's way to copy the result.
  for (Child& child : children_)
    if (std::strcmp(child.row->name, "Text1") == 0) child.hook.resultBox = Box("Text2");
}

void Form1::Layout(int dpi) {
  const HFONT oldBox = boxFont_;
  const HFONT oldButton = buttonFont_;
  const RECT input = PixelRect(ControlNamed("Text1").rect, dpi);
  boxFont_ = CreateBoxFont(input.right - input.left, dpi);
  buttonFont_ = CreateButtonFont(dpi);
  for (const Child& child : children_) {
    const RECT rect = PixelRect(child.row->rect, dpi);
    SetWindowPos(child.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const bool button = child.row->kind == ControlKind::Button;
    SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(button ? buttonFont_ : boxFont_),
                 TRUE);
    // Setting the font resets the margins.
    if (!button)
      SendMessageW(child.hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(BoxMargin(dpi), BoxMargin(dpi)));
  }
  if (oldBox) DeleteObject(oldBox);
  if (oldButton) DeleteObject(oldButton);
}

void Form1::LoadIcons(int dpi) {
  const auto load = [this, dpi](int width, int height) {
    return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                         GetSystemMetricsForDpi(width, static_cast<UINT>(dpi)),
                                         GetSystemMetricsForDpi(height, static_cast<UINT>(dpi)),
                                         LR_DEFAULTCOLOR));
  };
  const HICON big = load(SM_CXICON, SM_CYICON);
  const HICON small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  bigIcon_ = big;
  smallIcon_ = small;
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return form ? form->OnMessage(message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORSTATIC: // what read-only edits send
    if (const HBRUSH brush = Colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
      return reinterpret_cast<LRESULT>(brush);
    break;
  case WM_COMMAND:
    if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<HWND>(lParam) == Box("Command"))
      Command_Click();
    return 0;
  case WM_ACTIVATE:
    // Not a dialog: keep the focus across switches to other windows by hand.
    if (LOWORD(wParam) == WA_INACTIVE) {
      lastFocus_ = GetFocus();
    } else if (lastFocus_ && IsWindow(lastFocus_)) {
      SetFocus(lastFocus_);
      return 0;
    }
    break;
  case WM_DPICHANGED: {
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(HIWORD(wParam));
    LoadIcons(HIWORD(wParam));
    return 0;
  }
  case WM_DESTROY:
    for (const Child& child : children_) screenReaderTexts_.Forget(child.hwnd);
    screenReaderTexts_.Forget(announcer_.control());
    PostQuitMessage(0);
    return 0;
  case WM_NCDESTROY:
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    break;
  default:
    break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

HBRUSH Form1::Colour(HWND control, HDC dc) const {
  for (const Child& child : children_) {
    if (child.hwnd != control || child.row->kind != ControlKind::TextBox) continue;
    const int index = ColourIndex(child.row->background);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(index));
    return GetSysColorBrush(index);
  }
  return nullptr;
}

HWND Form1::Box(const char* name) const {
  for (const Child& child : children_)
    if (std::strcmp(child.row->name, name) == 0) return child.hwnd;
  return nullptr;
}

ConverterFields Form1::ReadFields() const {
  return {ReadBox(Box("Text1")), ReadBox(Box("Text2")), ReadText(Box("Text3")),
          ReadText(Box("Text4"))};
}

template <class Handler> ConverterFields Form1::Handle(Handler handler) {
  if (ended_) return {};
  const ConverterFields before = ReadFields();
  ConverterFields after = before;
  if (handler(after) == Continuation::EndProgram) {
    ended_ = true;
    DestroyWindow(window_);
    return after;
  }
  WriteBox(Box("Text1"), before.Text1, after.Text1);
  WriteBox(Box("Text2"), before.Text2, after.Text2);
  WriteText(Box("Text3"), before.Text3, after.Text3);
  WriteText(Box("Text4"), before.Text4, after.Text4);
  return after;
}

void Form1::KeyPressed(HWND box, KeyAscii key) {
  if (box == Box("Text1")) {
    const ConverterFields after =
        Handle([this, key](auto& f) { return Text1_KeyPress(f, key, separator_); });
    // The result appears in a box without focus: say it. The phrase for
    // zero is looked up at the first Enter, not at start-up.
    static const Text noResultForZero = FromWide(Translated(kNoResultForZero));
    if (key == kKeyEnter && !ended_) announcer_.Say(SpokenResult(after, noResultForZero));
  } else if (box == Box("Text2"))
    Handle([key](auto& f) { return Text2_KeyPress(f, key); });
}

void Form1::Clicked(HWND box) {
  if (box == Box("Text1"))
    Handle([](auto& f) { return Text1_Click(f), Continuation::KeepRunning; });
  else if (box == Box("Text2"))
    Handle([](auto& f) { return Text2_Click(f), Continuation::KeepRunning; });
}

void Form1::Command_Click() {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", homePage_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return;
  // Name the address so the user can open it by hand.
  const std::wstring text = WithArgument(Translated(kHomePageWarning), homePage_);
  MessageBoxW(window_, text.c_str(), Widen(kProductName).c_str(), MB_OK | MB_ICONWARNING);
}

} // namespace lumbrix
