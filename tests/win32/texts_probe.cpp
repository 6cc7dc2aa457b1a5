// Prints, one a line in UTF-8, the texts the Win32 window shows and says in
// the user's language as Windows (or Wine, from LANG) picks it: the input
// menu's Copy result item, the words spoken for a value of zero, and the
// home-page warning. window_test.sh compares them with its table. Given a
// title, prints instead what the open message box of that title says, and
// closes it as its OK button does.
#include "conversion/converter_controller.hpp"
#include "conversion/spoken_result.hpp"
#include "window/texts.hpp"
#include "window/win32/translated_text.hpp"
#include "window/win32/wide.hpp"

#include <cstdio>

namespace {

void Print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
}

} // namespace

// wmain: the window library links with -municode.
int wmain(int argc, wchar_t* argv[]) {
  using namespace lumbrix;
  if (argc > 1) {
    const HWND box = FindWindowW(L"#32770", argv[1]);
    if (!box) return 1;
    // Its text is the static control with words; the icon's has none.
    wchar_t text[512];
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (GetClassNameW(child, text, 512) && lstrcmpiW(text, L"Static") == 0 &&
          GetWindowTextW(child, text, 512) > 0)
        Print(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
  }
  Print(Translated(kCopyResult));
  ConverterFields zero;
  zero.Text1.SetText(u"0.0");
  Text1_KeyPress(zero, kKeyEnter);
  Print(ToWide(SpokenResult(zero, FromWide(Translated(kNoResultForZero)))));
  Print(WithArgument(Translated(kHomePageWarning), L"https://brimsel.example/"));
  return 0;
}
