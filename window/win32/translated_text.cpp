#include "window/win32/translated_text.hpp"

#include "window/win32/string_ids.hpp"
#include "window/win32/wide.hpp"

#include <windows.h>

#include <cstring>

namespace lumbrix {

std::wstring TranslatedById(unsigned id) {
  // With no buffer, LoadStringW points into the loaded resource itself.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring Translated(const Translatable& text) {
  if (text.context) {
    for (const StringId& entry : kStringIds) {
      if (std::strcmp(entry.context, text.context) != 0 || std::strcmp(entry.text, text.text) != 0)
        continue;
      if (std::wstring found = TranslatedById(entry.id); !found.empty()) return found;
      break;
    }
  }
  return Widen(text.text);
}

std::wstring WithArgument(std::wstring text, const std::wstring& argument) {
  if (const auto at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, argument);
  return text;
}

} // namespace lumbrix
