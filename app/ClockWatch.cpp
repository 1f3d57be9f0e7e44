#include "app/ClockWatch.h"

#include "core/DateTime.h"

namespace app {

bool ClockWatch::reached(std::string_view setTime, std::int64_t currentSecond) {
  const std::int64_t gap = currentSecond - lastChecked_;
  // A gap of 0 or less (the clock was set back) or beyond the catch-up span:
  // only the current second counts.
  const std::int64_t first = (gap >= 1 && gap <= kCatchUpSeconds) ? lastChecked_ + 1 : currentSecond;
  lastChecked_ = currentSecond;
  for (std::int64_t s = first; s <= currentSecond; ++s)
    if (core::ClockTextOfSeconds(s) == setTime) return true;
  return false;
}

}  // namespace app
