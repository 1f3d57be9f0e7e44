// What the program's windows are given: the toolkit and the system services.
#pragma once

#include "platform/Services.h"
#include "ui/Toolkit.h"

namespace app {

struct AppContext {
  ui::Toolkit& ui;
  platform::Services system;
};

}  // namespace app
