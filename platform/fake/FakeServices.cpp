#include "platform/fake/FakeServices.h"

#include <cmath>

#include "core/Text.h"

namespace platform::fake {

FakeSystem::FakeSystem(ui::headless::VirtualClock& clock) : clock_(clock) {
  setLocalTime(core::DateTimeOf(2026, 12, 11, 9, 0, 0));
  setUptime(3723456);
}

bool FakeSystem::shutDownSystem(int kind, bool force) {
  if (kind < kShutDown || kind > kHibernate) return false;
  journal.push_back("ShutDownSystem " + core::DecimalText(kind) + (force ? " 1" : " 0"));
  return acceptPowerRequests;
}

void FakeSystem::playMp3(int times, const std::string& path) {
  journal.push_back("PlayMp3 " + core::DecimalText(times) + " " + path);
  playing_ = times != 0;
  playingPath_ = playing_ ? path : std::string();
}

void FakeSystem::stopPlaying() {
  journal.push_back("StopPlaying");
  playing_ = false;
  playingPath_.clear();
}

std::int64_t FakeSystem::localMilliseconds() { return localOffset_ + clock_.now(); }

std::uint32_t FakeSystem::uptimeMilliseconds() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(uptimeOffset_ + clock_.now()));
}

void FakeSystem::setLocalTime(core::DateTime localAtNow) {
  localOffset_ = std::llround(localAtNow * 86400000.0) - clock_.now();
}

void FakeSystem::setUptime(std::uint32_t uptimeAtNow) {
  uptimeOffset_ = static_cast<std::int64_t>(uptimeAtNow) - clock_.now();
}

void FakeSystem::openUrl(std::string_view address) {
  journal.push_back("OpenUrl " + std::string(address));
}

}  // namespace platform::fake
