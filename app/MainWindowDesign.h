// MainWindow's design and the descriptive names by which code refers to its
// controls. Each name stands for the control's design name, which tests and
// UI automation use to find it.
#pragma once

#include <string_view>

#include "ui/Design.h"

namespace app {

const ui::WindowDesign& MainWindowDesign();

namespace mainwin {
// Mode and the two input groups.
inline constexpr std::string_view kClockModeBox = "选择框1";      // 定时设定
inline constexpr std::string_view kCountdownModeBox = "选择框2";  // 倒计时设定
inline constexpr std::string_view kClockGroup = "分组框1";
inline constexpr std::string_view kCountdownGroup = "分组框5";
// Clock-time inputs and displays.
inline constexpr std::string_view kDateTimeLabel = "透明标签7";
inline constexpr std::string_view kClockHourList = "组合框1";
inline constexpr std::string_view kClockMinuteList = "组合框2";
inline constexpr std::string_view kClockSecondList = "组合框3";
inline constexpr std::string_view kClockPreview = "透明标签8";
inline constexpr std::string_view kClockStatus = "透明标签11";
inline constexpr std::string_view kUptimeTimer = "时钟9";
// Countdown inputs and displays.
inline constexpr std::string_view kCountdownHourList = "组合框5";
inline constexpr std::string_view kCountdownMinuteList = "组合框6";
inline constexpr std::string_view kCountdownSecondList = "组合框7";
inline constexpr std::string_view kCountdownPreview = "透明标签16";
inline constexpr std::string_view kTimeLeftLabel = "透明标签15";
inline constexpr std::string_view kRemainingMilliseconds = "标签2";
inline constexpr std::string_view kCountdownStatus = "透明标签20";
inline constexpr std::string_view kTimeLeftTimer = "时钟10";
inline constexpr std::string_view kCountdownTimer = "时钟11";
inline constexpr std::string_view kCountdownTipTimer = "时钟12";
// Action and ringtone.
inline constexpr std::string_view kActionGroup = "分组框6";
inline constexpr std::string_view kActionList = "组合框4";
inline constexpr std::string_view kChooseRingtoneButton = "按钮3";  // 选择铃声
inline constexpr std::string_view kStopTryingButton = "按钮7";      // 停止播放
inline constexpr std::string_view kTryRingtoneButton = "按钮4";     // 试听铃声
// Buttons.
inline constexpr std::string_view kStartButton = "按钮1";       // 开启
inline constexpr std::string_view kCancelButton = "按钮2";      // 取消
inline constexpr std::string_view kCloseAlarmButton = "按钮8";  // 关闭闹钟
inline constexpr std::string_view kAboutButton = "按钮5";       // 关于程序
inline constexpr std::string_view kQuitButton = "按钮6";        // 退出程序
inline constexpr std::string_view kUptimeText = "编辑框4";
// The group beyond the window's right edge that carries state between handlers.
inline constexpr std::string_view kHiddenState = "分组框2";
inline constexpr std::string_view kUptimeMillisecondsLabel = "标签3";
inline constexpr std::string_view kReminderTextBox = "编辑框3";
inline constexpr std::string_view kOpenFileDialog = "通用对话框_打开";
inline constexpr std::string_view kActionNameLabel = "标签1";
inline constexpr std::string_view kClockTextBox = "编辑框1";
inline constexpr std::string_view kRingtonePathBox = "编辑框2";
inline constexpr std::string_view kDateTimer = "时钟1";
inline constexpr std::string_view kClockTextTimer = "时钟2";
// The alarm mirror read by 取消.
inline constexpr std::string_view kAlarmMirror = "单选框4";

// Menu items.
inline constexpr std::string_view kOptionsMenu = "选项";
inline constexpr std::string_view kAboutItem = "关于程序";
inline constexpr std::string_view kQuitItem = "退出程序";
inline constexpr std::string_view kShutDownNowItem = "立即关机";
inline constexpr std::string_view kRestartNowItem = "立即重启";
inline constexpr std::string_view kSuspendNowItem = "立即休眠";
inline constexpr std::string_view kLogOffNowItem = "立即注销";
inline constexpr std::string_view kMusicOnItem = "开";
inline constexpr std::string_view kMusicOffItem = "关";
}  // namespace mainwin

}  // namespace app
