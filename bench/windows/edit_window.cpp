// The start-up baseline for lumbrix.exe: a window titled "Lumbrix" with one
// EDIT control and nothing else, built by the same toolchain with the same
// manifest, so the difference is Lumbrix's own start-up work. A second EDIT
// below it takes the result of Enter (1240 / value), the latency benchmark's
// bare Enter. With --shown, Enter also does what Lumbrix's Enter shows and
// says: the input selected, the result told to screen readers.

#include <windows.h>

#include <cwchar>

namespace {

WNDPROC editProc = nullptr;
HWND inputBox = nullptr;
HWND resultBox = nullptr;
HWND spoken = nullptr; // with --shown: a live region, shown with no size

// The input EDIT with Enter caught before the control beeps at it.
LRESULT CALLBACK InputProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam == L'\r') {
    wchar_t text[64]{};
    GetWindowTextW(edit, text, 64);
    wchar_t* end = nullptr;
    const double value = std::wcstod(text, &end);
    wchar_t result[64]{};
    if (end != text && value != 0) std::swprintf(result, 64, L"%.15G", 1240 / value);
    SetWindowTextW(resultBox, result);
    if (spoken) {
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetWindowTextW(spoken, result);
      NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, spoken, OBJID_CLIENT, CHILDID_SELF);
    }
    return 0;
  }
  return CallWindowProcW(editProc, edit, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  // Activated again, the window gives the keyboard back to the input, as
  // Lumbrix's window and every dialog do.
  if (message == WM_SETFOCUS) {
    SetFocus(inputBox);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"EditWindow";
  RegisterClassExW(&windowClass);
  const HWND window =
      CreateWindowExW(0, L"EditWindow", L"Lumbrix", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                      CW_USEDEFAULT, CW_USEDEFAULT, 171, 87, nullptr, nullptr, instance, nullptr);
  const HWND input = inputBox =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"632.8", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                      0, 0, 137, 17, window, nullptr, instance, nullptr);
  resultBox =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 16,
                      137, 19, window, nullptr, instance, nullptr);
  if (std::wcscmp(arguments, L"--shown") == 0)
    spoken = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                             window, nullptr, instance, nullptr);
  editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(input, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InputProc)));
  SetFocus(input);
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
