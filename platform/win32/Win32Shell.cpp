#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

void Win32Shell::openUrl(std::string_view address) {
  // The "open" verb runs the handler registered for the address's scheme
  // (the default browser for http); nothing is reported back.
  ShellExecuteW(nullptr, L"open", Utf16(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform::win32
