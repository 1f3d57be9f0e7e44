// Status texts that more than one handler writes.
#pragma once

#include <string_view>

namespace app {

inline constexpr std::string_view kClockIdle = "欢迎使用本程序，定时功能未启动！";
inline constexpr std::string_view kCountdownIdle = "欢迎使用本程序，倒计时功能未启动！";
// The idle texts written when the mode or the action changes end in an ASCII "!".
inline constexpr std::string_view kClockIdleAfterChoice = "欢迎使用本程序，定时功能未启动!";
inline constexpr std::string_view kCountdownIdleAfterChoice = "欢迎使用本程序，倒计时功能未启动!";
inline constexpr std::string_view kNoRingtone = "提示：请先选择铃声！";
inline constexpr std::string_view kNoCountdownTime = "提示：请设置倒计时时间！";
inline constexpr std::string_view kAlarmRinging = "闹钟已经开始，点击关闭闹钟即可！";

}  // namespace app
