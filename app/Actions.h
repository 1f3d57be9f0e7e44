// The six actions a schedule can fire. They differ only in their data: the
// name shown in the action list, the hidden mirror button, the clock-time
// watcher, the status texts of both modes and what firing does. One code path
// serves all six.
#pragma once

#include <array>
#include <string_view>

namespace app {

enum class Outcome {
  PowerThenEnd,  // ask the system for a power operation, then end the program
  Suspend,       // suspend the computer, then go back to idle
  Reminder,      // show the reminder text
  Alarm,         // ring the ringtone
};

struct Action {
  std::string_view name;             // the ActionName and list item
  std::string_view mirror;           // hidden radio button mirroring the pick
  std::string_view watcher;          // the clock-time watcher timer
  std::string_view clockStarted;     // clock-time status, followed by the time
  std::string_view countdownRunning; // countdown status while counting
  Outcome outcome;
  int powerKind;                     // for PowerThenEnd and Suspend
};

// In the order of the action list.
inline constexpr std::array<Action, 6> kActions{{
    {"关机", "单选框1", "时钟4", "定时关机已启动，关机时间：", "倒计时关机已经运行！", Outcome::PowerThenEnd, 1},
    {"重启", "单选框2", "时钟5", "定时重启已启动，重启时间：", "倒计时重启已经运行！", Outcome::PowerThenEnd, 2},
    {"注销", "单选框3", "时钟6", "定时注销已启动，注销时间：", "倒计时注销已经运行！", Outcome::PowerThenEnd, 3},
    {"休眠", "单选框5", "时钟7", "定时休眠已启动，休眠时间：", "倒计时休眠已经运行！", Outcome::Suspend, 4},
    {"提示", "单选框8", "时钟8", "定时提示已启动，提示时间：", "倒计时提示已经运行！", Outcome::Reminder, 0},
    {"闹钟", "单选框4", "时钟3", "定时闹钟已启动，闹钟时间：", "倒计时闹钟已经运行！", Outcome::Alarm, 0},
}};

// The action of an ActionName; the first one ("关机") for a name that is none.
inline const Action& ActionNamed(std::string_view name) {
  for (const Action& a : kActions)
    if (a.name == name) return a;
  return kActions[0];
}

}  // namespace app
