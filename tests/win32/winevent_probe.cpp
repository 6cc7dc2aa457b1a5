// Listens as a screen reader does, from another process, for live regions
// that change, and prints the name each has at that moment, one a line.
// Prints "ready" once listening; runs until ended.

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace {

void WriteLine(std::wstring line) {
  line += L'\n';
  const auto length = static_cast<int>(line.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, line.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), length, utf8.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(size), &written,
            nullptr);
}

// The name as a screen reader asks for it, through the control's
// accessible object.
std::wstring NameOf(HWND window, LONG object, LONG child) {
  IAccessible* accessible = nullptr;
  VARIANT item{};
  if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                       static_cast<DWORD>(child), &accessible, &item)))
    return L"(no accessible object)";
  BSTR name = nullptr;
  std::wstring result = L"(no name)";
  if (accessible->get_accName(item, &name) == S_OK && name) result = name;
  SysFreeString(name);
  VariantClear(&item);
  accessible->Release();
  return result;
}

void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  WriteLine(NameOf(window, object, child));
}

} // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                      Heard, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (!hook) return 1;
  WriteLine(L"ready");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  UnhookWinEvent(hook);
  CoUninitialize();
  return 0;
}
