// Lumbrix on Windows: the converter window on the Windows API.

#include "window/product.hpp"
#include "window/win32/form1.hpp"
#include "window/win32/wide.hpp"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The edit and button classes of Common Controls 6, which the manifest
  // asks for.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // For the screen-reader texts' COM service.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  int status = 1;
  {
    lumbrix::Form1 form(instance, lumbrix::Widen(lumbrix::kHomePage));
    if (const HWND window = form.Show(showCommand)) {
      MSG message;
      BOOL got;
      while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // The dialog manager gives Tab between the tab stops.
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      status = got == 0 ? static_cast<int>(message.wParam) : 1;
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}
