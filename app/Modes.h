// The two modes, clock-time (定时) and countdown (倒计时), differ only in their
// controls and texts; the handlers that act by mode take one of these.
#pragma once

#include <array>
#include <string_view>

#include "app/MainWindowDesign.h"
#include "app/StatusTexts.h"

namespace app {

struct Mode {
  std::string_view box;    // the check box that chooses the mode
  std::string_view group;  // its input group
  std::array<std::string_view, 3> lists;  // hours, minutes, seconds
  std::string_view preview;
  std::string_view status;
  std::string_view idle;
  std::string_view statusWhenLeft;   // written into the status when the other mode is chosen
  std::string_view idleAfterPick;    // written when an action other than 提示 is picked
  std::string_view askForReminder;   // written when 提示 is picked
  std::string_view actionCaption;    // the caption of the action list's group
};

inline constexpr Mode kClockMode{
    mainwin::kClockModeBox, mainwin::kClockGroup,
    {mainwin::kClockHourList, mainwin::kClockMinuteList, mainwin::kClockSecondList},
    mainwin::kClockPreview, mainwin::kClockStatus, kClockIdle, kClockIdle, kClockIdleAfterChoice,
    "您选择了定时提示功能，请先设置提示内容!", "定时功能"};

inline constexpr Mode kCountdownMode{
    mainwin::kCountdownModeBox, mainwin::kCountdownGroup,
    {mainwin::kCountdownHourList, mainwin::kCountdownMinuteList, mainwin::kCountdownSecondList},
    mainwin::kCountdownPreview, mainwin::kCountdownStatus, kCountdownIdle, kCountdownIdleAfterChoice,
    kCountdownIdleAfterChoice, "您选择了倒计时提示功能，请先设置提示内容!", "倒计时功能"};

// In the order every handler that acts by mode runs their parts.
inline constexpr std::array<const Mode*, 2> kModes{&kClockMode, &kCountdownMode};

}  // namespace app
