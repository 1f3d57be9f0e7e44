// Decides at each tick of a clock-time watcher whether its set time has come.
//
// A watcher ticks once a second from the moment its schedule started, and a
// tick may come late (a busy event loop, the system timer's granularity).
// Comparing the set time with the current second alone would then let a
// shutdown slip silently to the next day. So every tick looks at each second
// since the previous tick (at the first tick: since the second the schedule
// started) through the current one — as long as that span is at most
// kCatchUpSeconds. After a longer gap (the computer slept) only the current
// second counts, so that nothing fires by surprise after a resume.
#pragma once

#include <cstdint>
#include <string_view>

namespace app {

class ClockWatch {
 public:
  static constexpr std::int64_t kCatchUpSeconds = 5;

  // `second`: the local second (core::SecondsOf count) the schedule started in.
  void start(std::int64_t second) { lastChecked_ = second - 1; }

  // True when `setTime` (a ClockText) names a second from the one after the
  // last checked second through `currentSecond`.
  bool reached(std::string_view setTime, std::int64_t currentSecond);

 private:
  std::int64_t lastChecked_ = 0;
};

}  // namespace app
