// The local clock and the uptime count, from Windows.
#pragma once

#include "platform/Services.h"

namespace platform::win32 {

class Win32Clock : public Clock {
 public:
  std::int64_t localMilliseconds() override;
  std::uint32_t uptimeMilliseconds() override;
};

}  // namespace platform::win32
