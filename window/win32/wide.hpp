#pragma once

#include "runtime/text.hpp"

#include <windows.h>

#include <string>

namespace lumbrix {

// The control table and build settings are UTF-8; Windows wants UTF-16.
inline std::wstring Widen(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  return wide;
}

// wchar_t is a UTF-16 unit on Windows, so these are plain copies.
inline std::wstring ToWide(const Text& text) { return {text.begin(), text.end()}; }
inline Text FromWide(const std::wstring& wide) { return {wide.begin(), wide.end()}; }

} // namespace lumbrix
