// Power operations: shut down, restart, log off, suspend, hibernate.
#pragma once

#include <string>

#include "platform/Services.h"

namespace platform::win32 {

// Asks Windows: enables the shutdown privilege of the process token, then
// ExitWindowsEx (kinds 1-3) or SetSystemPowerState (kinds 4-5).
class SystemPower : public Power {
 public:
  bool shutDownSystem(int kind, bool force = false) override;
};

// For end-to-end runs: never asks the system. Each request of a valid kind
// appends the line "ShutDownSystem <kind> <force 0|1>\n" to the journal file
// (by default journal.log in the exe's folder) and is reported accepted.
class JournalPower : public Power {
 public:
  JournalPower();
  explicit JournalPower(std::wstring journalPath) : path_(std::move(journalPath)) {}
  bool shutDownSystem(int kind, bool force = false) override;
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// The journal build (CMake option VAELTO_E2E_JOURNAL) routes every power
// request to the journal; the shipped build asks the system.
#ifdef VAELTO_E2E_JOURNAL
using Win32Power = JournalPower;
#else
using Win32Power = SystemPower;
#endif

// The journal file beside the running exe.
std::wstring JournalPathBesideExe();

}  // namespace platform::win32
