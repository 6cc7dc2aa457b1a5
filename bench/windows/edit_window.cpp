// The start-up baseline for lumbrix.exe: a window titled "Lumbrix" with one
// EDIT control and nothing else, built by the same toolchain with the same
// manifest, so the difference is Lumbrix's own start-up work.

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
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
  CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"632.8", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
                  137, 17, window, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
