// UTF-8 inside the program, UTF-16 at the Win32 boundary: the two conversions.
#pragma once

#include <string>
#include <string_view>

namespace ui::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace ui::win32
