// Opening an address with its registered handler.
#pragma once

#include "platform/Services.h"

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  void openUrl(std::string_view address) override;
};

}  // namespace platform::win32
