#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "ui/win32/WideText.h"

namespace platform::win32 {

void Win32Shell::openUrl(std::string_view address) {
  // The "open" verb runs the handler registered for the address's scheme
  // (the default browser for http); nothing is reported back.
  ShellExecuteW(nullptr, L"open", ui::win32::Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform::win32
