#include "platform/win32/Win32Power.h"

#include <windows.h>

#include <string>

namespace platform::win32 {

namespace {

bool ValidKind(int kind) { return kind >= kShutDown && kind <= kHibernate; }

// ExitWindowsEx and SetSystemPowerState need SeShutdownPrivilege enabled in
// the process token; it is present but disabled for ordinary users.
bool EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool ok = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) != FALSE;
  if (ok) {
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // AdjustTokenPrivileges succeeds even when it could not enable the
    // privilege (ERROR_NOT_ALL_ASSIGNED): only the last error tells.
    ok = GetLastError() == ERROR_SUCCESS;
  }
  CloseHandle(token);
  return ok;
}

}  // namespace

bool SystemPower::shutDownSystem(int kind, bool force) {
  if (!ValidKind(kind)) return false;
  if (!EnableShutdownPrivilege()) return false;
  switch (kind) {
    case kShutDown:
    case kRestart:
    case kLogOff: {
      UINT flags = kind == kShutDown ? EWX_POWEROFF : kind == kRestart ? EWX_REBOOT : EWX_LOGOFF;
      if (force) flags |= EWX_FORCE;
      // The system carries the request out after this call has returned.
      return ExitWindowsEx(flags, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED) != FALSE;
    }
    default:
      // Suspend (kind 4) or hibernate (kind 5).
      return SetSystemPowerState(kind == kSuspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
  }
}

std::wstring JournalPathBesideExe() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try a bigger buffer
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path + L"journal.log";
}

JournalPower::JournalPower() : path_(JournalPathBesideExe()) {}

bool JournalPower::shutDownSystem(int kind, bool force) {
  if (!ValidKind(kind)) return false;
  const std::string line =
      "ShutDownSystem " + std::to_string(kind) + " " + (force ? "1" : "0") + "\n";
  // FILE_APPEND_DATA alone: every write lands at the end, even when another
  // process appends too.
  HANDLE file = CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;  // the request still counts as accepted
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return true;
}

}  // namespace platform::win32
