// What the toolkit contract suite needs from a backend: the toolkit itself
// plus a way to act as the user and to let time pass. One implementation per
// backend (headless: virtual time; Win32: real windows and real time).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/Toolkit.h"

namespace contract {

class Driver {
 public:
  virtual ~Driver() = default;
  virtual ui::Toolkit& toolkit() = 0;

  // The user's actions, delivered as the system would deliver them.
  virtual void click(ui::Window& window, std::string_view control) = 0;
  virtual void pick(ui::Window& window, std::string_view control, int index) = 0;
  virtual void chooseMenuItem(ui::Window& window, std::string_view item) = 0;
  virtual void pressCloseBox(ui::Window& window) = 0;

  // Runs the event loop for this long (virtual or real milliseconds).
  virtual void wait(int milliseconds) = 0;
  // Milliseconds on the clock the timers run by.
  virtual std::int64_t now() = 0;
  // The next message box is answered with `result` after it has been open
  // for `afterMs` milliseconds of event loop.
  virtual void answerNextMessage(ui::MessageResult result, int afterMs) = 0;
  // The next pop-up menu chooses this item after being open `afterMs`.
  virtual void chooseInNextPopup(std::string_view item, int afterMs) = 0;

  // Timing slack the clock allows: 0 for virtual time.
  virtual int slackMs() const = 0;
};

// Made by the backend's own driver file.
std::unique_ptr<Driver> MakeDriver();

}  // namespace contract
