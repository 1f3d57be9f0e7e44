#include "app/MainWindowDesign.h"

#include <string>

namespace app {

namespace {

using ui::ControlKind;
using K = ui::ControlKind;

std::string N(std::string_view name) { return std::string(name); }

std::vector<std::string> ActionItems() { return {"关机", "重启", "注销", "休眠", "提示", "闹钟"}; }

ui::WindowDesign MakeMainWindowDesign() {
  using namespace mainwin;
  ui::WindowDesign d{
      .caption = "Vaelto",
      .width = 279,
      .height = 375,
      .minimiseBox = true,
      .centred = true,
      .menus =
          {
              {.text = "选项", .items = {{.text = N(kAboutItem)}, {.text = N(kQuitItem)}}},
              {.text = "操作",
               .items = {{.text = N(kShutDownNowItem)},
                         {.text = N(kRestartNowItem)},
                         {.text = N(kSuspendNowItem)},
                         {.text = N(kLogOffNowItem)}}},
              {.text = "皮肤",
               .items = {{.text = "血色爱国", .checked = true},
                         {.text = "黑色炫酷"},
                         {.text = "黑色简洁"},
                         {.text = "蓝色简洁"}}},
              {.text = "音乐", .items = {{.text = N(kMusicOnItem), .checked = true}, {.text = N(kMusicOffItem)}}},
              {.text = "工具", .items = {{.text = "时间校准"}, {.text = "电子日历"}, {.text = "秒表计时"}}},
          },
  };
  auto& c = d.controls;

  // Mode boxes.
  c.push_back({.name = N(kClockModeBox), .kind = K::CheckBox, .x = 8, .y = 0, .width = 80, .height = 24,
               .text = "定时设定", .checked = true, .handCursor = true});
  c.push_back({.name = N(kCountdownModeBox), .kind = K::CheckBox, .x = 80, .y = 0, .width = 88, .height = 24,
               .text = "倒计时设定", .handCursor = true});

  // Clock-time group.
  c.push_back({.name = N(kClockGroup), .kind = K::GroupBox, .x = 8, .y = 32, .width = 256, .height = 136,
               .text = "定时设定"});
  const std::string clock = N(kClockGroup);
  c.push_back({.name = "透明标签1", .kind = K::TransparentLabel, .holder = clock, .x = 16, .y = 16,
               .width = 64, .height = 24, .text = "现在时间："});
  c.push_back({.name = N(kDateTimeLabel), .kind = K::TransparentLabel, .holder = clock, .x = 80, .y = 16,
               .width = 176, .height = 24, .text = "时间显示标签"});
  c.push_back({.name = "透明标签2", .kind = K::TransparentLabel, .holder = clock, .x = 16, .y = 48,
               .width = 64, .height = 24, .text = "时间设定："});
  c.push_back({.name = N(kClockHourList), .kind = K::DropDownList, .holder = clock, .x = 80, .y = 48,
               .width = 40, .height = 20, .handCursor = true, .items = ui::NumberItems(0, 23), .selected = 0});
  c.push_back({.name = "透明标签4", .kind = K::TransparentLabel, .holder = clock, .x = 120, .y = 48,
               .width = 24, .height = 24, .text = "时", .handCursor = true});
  c.push_back({.name = N(kClockMinuteList), .kind = K::DropDownList, .holder = clock, .x = 136, .y = 48,
               .width = 40, .height = 20, .handCursor = true, .items = ui::NumberItems(0, 59), .selected = 0});
  c.push_back({.name = "透明标签5", .kind = K::TransparentLabel, .holder = clock, .x = 176, .y = 48,
               .width = 24, .height = 24, .text = "分", .handCursor = true});
  c.push_back({.name = N(kClockSecondList), .kind = K::DropDownList, .holder = clock, .x = 192, .y = 48,
               .width = 40, .height = 22, .handCursor = true, .items = ui::NumberItems(0, 59), .selected = 0});
  c.push_back({.name = "透明标签6", .kind = K::TransparentLabel, .holder = clock, .x = 232, .y = 48,
               .width = 24, .height = 24, .text = "秒", .handCursor = true});
  c.push_back({.name = "透明标签3", .kind = K::TransparentLabel, .holder = clock, .x = 16, .y = 80,
               .width = 96, .height = 24, .text = "时间预览："});
  c.push_back({.name = N(kClockPreview), .kind = K::TransparentLabel, .holder = clock, .x = 80, .y = 80,
               .width = 176, .height = 24, .text = "时间预览区"});
  c.push_back({.name = N(kClockStatus), .kind = K::TransparentLabel, .holder = clock, .x = 0, .y = 112,
               .width = 256, .height = 16, .text = "欢迎使用本程序，定时功能未启动！"});
  c.push_back({.name = N(kUptimeTimer), .kind = K::Timer, .holder = clock, .period = 100});

  // Countdown group, on the same spot and hidden at start.
  c.push_back({.name = N(kCountdownGroup), .kind = K::GroupBox, .x = 8, .y = 32, .width = 256, .height = 136,
               .text = "倒计时设定", .hidden = true});
  const std::string countdown = N(kCountdownGroup);
  c.push_back({.name = "透明标签12", .kind = K::TransparentLabel, .holder = countdown, .x = 16, .y = 16,
               .width = 64, .height = 24, .text = "时间设定："});
  c.push_back({.name = N(kCountdownHourList), .kind = K::DropDownList, .holder = countdown, .x = 80, .y = 16,
               .width = 40, .height = 20, .handCursor = true, .items = ui::NumberItems(0, 59), .selected = 0});
  c.push_back({.name = "透明标签17", .kind = K::TransparentLabel, .holder = countdown, .x = 120, .y = 16,
               .width = 24, .height = 24, .text = "时", .handCursor = true});
  c.push_back({.name = N(kCountdownMinuteList), .kind = K::DropDownList, .holder = countdown, .x = 136,
               .y = 16, .width = 40, .height = 20, .handCursor = true, .items = ui::NumberItems(0, 59),
               .selected = 0});
  c.push_back({.name = "透明标签18", .kind = K::TransparentLabel, .holder = countdown, .x = 176, .y = 16,
               .width = 24, .height = 24, .text = "分", .handCursor = true});
  c.push_back({.name = N(kCountdownSecondList), .kind = K::DropDownList, .holder = countdown, .x = 192,
               .y = 16, .width = 40, .height = 20, .handCursor = true, .items = ui::NumberItems(0, 59),
               .selected = 59});
  c.push_back({.name = "透明标签19", .kind = K::TransparentLabel, .holder = countdown, .x = 232, .y = 16,
               .width = 24, .height = 24, .text = "秒", .handCursor = true});
  c.push_back({.name = "透明标签13", .kind = K::TransparentLabel, .holder = countdown, .x = 16, .y = 48,
               .width = 64, .height = 24, .text = "时间预览："});
  c.push_back({.name = N(kCountdownPreview), .kind = K::TransparentLabel, .holder = countdown, .x = 80,
               .y = 48, .width = 168, .height = 24, .text = "透明标签16"});
  c.push_back({.name = "透明标签14", .kind = K::TransparentLabel, .holder = countdown, .x = 16, .y = 80,
               .width = 64, .height = 24, .text = "剩余时间："});
  c.push_back({.name = N(kTimeLeftLabel), .kind = K::TransparentLabel, .holder = countdown, .x = 80, .y = 80,
               .width = 152, .height = 24});
  c.push_back({.name = N(kRemainingMilliseconds), .kind = K::Label, .holder = countdown, .x = 168, .y = 112,
               .width = 72, .height = 16, .text = "倒计时 毫秒", .hidden = true});
  c.push_back({.name = N(kCountdownStatus), .kind = K::TransparentLabel, .holder = countdown, .x = 0,
               .y = 112, .width = 256, .height = 16, .handCursor = true});

  // Action list and ringtone buttons.
  c.push_back({.name = N(kActionGroup), .kind = K::GroupBox, .x = 8, .y = 176, .width = 112, .height = 48,
               .text = "定时功能"});
  c.push_back({.name = N(kActionList), .kind = K::DropDownList, .holder = N(kActionGroup), .x = 8, .y = 16,
               .width = 96, .height = 20, .handCursor = true, .items = ActionItems(), .selected = 0});
  c.push_back({.name = "分组框4", .kind = K::GroupBox, .x = 128, .y = 176, .width = 136, .height = 48,
               .text = "闹钟铃声"});
  c.push_back({.name = N(kChooseRingtoneButton), .kind = K::Button, .holder = "分组框4", .x = 8, .y = 16,
               .width = 56, .height = 24, .text = "选择铃声", .disabled = true, .handCursor = true});
  c.push_back({.name = N(kStopTryingButton), .kind = K::Button, .holder = "分组框4", .x = 72, .y = 16,
               .width = 56, .height = 24, .text = "停止播放", .disabled = true, .handCursor = true});
  // 试听铃声 lies exactly over 停止播放; one of the two is shown at a time.
  c.push_back({.name = N(kTryRingtoneButton), .kind = K::Button, .x = 200, .y = 192, .width = 56,
               .height = 24, .text = "试听铃声", .disabled = true, .handCursor = true});

  // Buttons along the bottom. 关闭闹钟 lies exactly over 取消.
  c.push_back({.name = N(kStartButton), .kind = K::Button, .x = 8, .y = 232, .width = 112, .height = 24,
               .text = "开启", .handCursor = true});
  c.push_back({.name = N(kCancelButton), .kind = K::Button, .x = 152, .y = 232, .width = 112, .height = 24,
               .text = "取消", .disabled = true, .handCursor = true});
  c.push_back({.name = N(kCloseAlarmButton), .kind = K::Button, .x = 152, .y = 232, .width = 112,
               .height = 24, .text = "关闭闹钟", .hidden = true, .handCursor = true});
  c.push_back({.name = N(kAboutButton), .kind = K::Button, .x = 8, .y = 264, .width = 112, .height = 24,
               .text = "关于程序", .handCursor = true});
  c.push_back({.name = N(kQuitButton), .kind = K::Button, .x = 152, .y = 264, .width = 112, .height = 24,
               .text = "退出程序", .handCursor = true});
  c.push_back({.name = N(kUptimeText), .kind = K::EditBox, .x = 8, .y = 296, .width = 256, .height = 16,
               .centred = true});

  // Countdown timers. The count comes before the display in the design, so
  // that in the second they share the display already shows the new count.
  c.push_back({.name = N(kCountdownTimer), .kind = K::Timer});
  c.push_back({.name = N(kTimeLeftTimer), .kind = K::Timer});
  c.push_back({.name = N(kCountdownTipTimer), .kind = K::Timer});

  // State carried between handlers, in a group wholly beyond the window's
  // right edge, so that it and all it holds are never seen.
  c.push_back({.name = N(kHiddenState), .kind = K::GroupBox, .x = 296, .y = 304, .width = 408, .height = 272});
  const std::string state = N(kHiddenState);
  c.push_back({.name = N(kUptimeMillisecondsLabel), .kind = K::Label, .holder = state, .x = 248, .y = 24,
               .width = 151, .height = 24, .text = "系统启动时间(毫秒显示)"});
  c.push_back({.name = "分组框7", .kind = K::GroupBox, .holder = state, .x = 8, .y = 16, .width = 208,
               .height = 96, .text = "提示框内容"});
  c.push_back({.name = N(kReminderTextBox), .kind = K::EditBox, .holder = "分组框7", .x = 8, .y = 16,
               .width = 192, .height = 72, .multiLine = true});
  c.push_back({.name = N(kOpenFileDialog), .kind = K::OpenFileDialog, .holder = state});
  c.push_back({.name = "分组框3", .kind = K::GroupBox, .holder = state, .x = 240, .y = 160, .width = 160,
               .height = 88, .text = "定时功能选项"});
  const struct { const char* name; const char* text; int x, y, width; bool selected; } mirrors[] = {
      {"单选框1", "关机", 8, 24, 56, true},  {"单选框2", "重启", 56, 24, 48, false},
      {"单选框3", "注销", 104, 24, 48, false}, {"单选框5", "休眠", 8, 56, 48, false},
      {"单选框8", "提示", 56, 56, 48, false},  {"单选框4", "闹钟", 104, 56, 48, false},
  };
  for (const auto& m : mirrors)
    c.push_back({.name = m.name, .kind = K::RadioButton, .holder = "分组框3", .x = m.x, .y = m.y,
                 .width = m.width, .height = 24, .text = m.text, .checked = m.selected, .handCursor = true});
  c.push_back({.name = "分组框8", .kind = K::GroupBox, .holder = state, .x = 8, .y = 120, .width = 224,
               .height = 128, .text = "隐藏控件"});
  c.push_back({.name = N(kActionNameLabel), .kind = K::Label, .holder = "分组框8", .x = 8, .y = 16,
               .width = 72, .height = 16, .text = "关机"});
  c.push_back({.name = "透明标签9", .kind = K::TransparentLabel, .holder = "分组框8", .x = 8, .y = 32,
               .width = 64, .height = 32, .text = "现行时间："});
  c.push_back({.name = N(kClockTextBox), .kind = K::EditBox, .holder = "分组框8", .x = 72, .y = 32,
               .width = 144, .height = 24, .readOnly = true});
  c.push_back({.name = "透明标签10", .kind = K::TransparentLabel, .holder = "分组框8", .x = 8, .y = 64,
               .width = 64, .height = 32, .text = "铃声路径："});
  c.push_back({.name = N(kRingtonePathBox), .kind = K::EditBox, .holder = "分组框8", .x = 72, .y = 64,
               .width = 144, .height = 32, .readOnly = true});
  c.push_back({.name = N(kDateTimer), .kind = K::Timer, .holder = "分组框8", .period = 1000});
  c.push_back({.name = N(kClockTextTimer), .kind = K::Timer, .holder = "分组框8", .period = 100});
  for (const char* watcher : {"时钟3", "时钟4", "时钟5", "时钟6", "时钟7", "时钟8"})
    c.push_back({.name = watcher, .kind = K::Timer, .holder = "分组框8"});
  return d;
}

}  // namespace

const ui::WindowDesign& MainWindowDesign() {
  static const ui::WindowDesign design = MakeMainWindowDesign();
  return design;
}

}  // namespace app
