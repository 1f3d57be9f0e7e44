#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include "core/DateTime.h"

namespace platform::win32 {

std::int64_t Win32Clock::localMilliseconds() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  const std::int64_t seconds =
      core::SecondsOf(core::DateTimeOf(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond));
  return seconds * 1000 + t.wMilliseconds;
}

std::uint32_t Win32Clock::uptimeMilliseconds() {
  // The 32-bit count on purpose: it wraps after 49.7 days as the program expects.
  return GetTickCount();
}

}  // namespace platform::win32
