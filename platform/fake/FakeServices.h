// Recording fakes of the system services, driven by the headless toolkit's
// virtual clock. Every request is written to one journal of lines, in order,
// so a test can assert what the program asked of the system:
//   "ShutDownSystem 1 0", "PlayMp3 1 C:\ring.mp3", "StopPlaying", "OpenUrl http://…"
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "ui/headless/HeadlessToolkit.h"

namespace platform::fake {

class FakeSystem : public Power, public Sound, public Clock, public Shell {
 public:
  explicit FakeSystem(ui::headless::VirtualClock& clock);

  Services services() { return Services{*this, *this, *this, *this}; }

  // Power
  bool shutDownSystem(int kind, bool force = false) override;
  bool acceptPowerRequests = true;  // false: the system refuses (no privilege)

  // Sound
  void playMp3(int times, const std::string& path) override;
  void stopPlaying() override;
  bool playing() const { return playing_; }
  const std::string& playingPath() const { return playingPath_; }

  // Clock: the local time and uptime at virtual time 0, then moving with it.
  std::int64_t localMilliseconds() override;
  std::uint32_t uptimeMilliseconds() override;
  void setLocalTime(core::DateTime localAtNow);  // the local clock reads this now
  void setUptime(std::uint32_t uptimeAtNow);     // the uptime reads this now

  // Shell
  void openUrl(std::string_view address) override;

  std::vector<std::string> journal;
  // The journal lines that begin with `name`, e.g. "ShutDownSystem".
  std::vector<std::string> requests(std::string_view name) const {
    std::vector<std::string> lines;
    for (const std::string& line : journal)
      if (line.starts_with(name)) lines.push_back(line);
    return lines;
  }

 private:
  ui::headless::VirtualClock& clock_;
  std::int64_t localOffset_ = 0;   // local ms at virtual 0
  std::int64_t uptimeOffset_ = 0;  // uptime ms at virtual 0
  bool playing_ = false;
  std::string playingPath_;
};

}  // namespace platform::fake
