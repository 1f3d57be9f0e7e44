// System services that are not windows: power operations, MP3 playback, the
// clock and uptime, opening an address. Each has a Win32 implementation
// (platform/win32) and a recording fake (platform/fake) for tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace platform {

// The kinds of power operation.
enum PowerKind : int {
  kShutDown = 1,   // shut down and power off
  kRestart = 2,
  kLogOff = 3,
  kSuspend = 4,    // sleep; "休眠" always means this one
  kHibernate = 5,
};

class Power {
 public:
  virtual ~Power() = default;
  // True when the system accepted the request; false for a kind outside 1..5
  // (nothing is done then) or when the shutdown privilege cannot be had.
  // The system carries the operation out after the call has returned.
  virtual bool shutDownSystem(int kind, bool force = false) = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Removes the previous player (stopping its sound), then plays the MP3
  // file `times` times in the background: 0 plays nothing, a negative number
  // repeats endlessly. A file that cannot be opened or decoded plays nothing,
  // silently.
  virtual void playMp3(int times, const std::string& path) = 0;
  virtual void stopPlaying() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time now, as milliseconds since 1899-12-30 00:00.
  virtual std::int64_t localMilliseconds() = 0;
  // The local second now, counted like core::SecondsOf.
  std::int64_t currentSecond() {
    const std::int64_t ms = localMilliseconds();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
  }
  // The local date and time now, in whole seconds.
  core::DateTime currentDateTime() { return core::DateTimeOfSeconds(currentSecond()); }
  // The system's 32-bit count of milliseconds since it started; wraps to 0
  // after 2^32 ms.
  virtual std::uint32_t uptimeMilliseconds() = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the address with the handler registered for it; returns at once.
  virtual void openUrl(std::string_view address) = 0;
};

// Everything feature code may ask of the system.
struct Services {
  Power& power;
  Sound& sound;
  Clock& clock;
  Shell& shell;
};

}  // namespace platform
