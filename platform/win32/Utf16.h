// UTF-8 texts of the program to the UTF-16 that the W calls take.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

inline std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

}  // namespace platform::win32
