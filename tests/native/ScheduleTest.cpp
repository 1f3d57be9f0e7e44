// The choice of mode and action, the clock-time and countdown schedules, the
// ringtone and the reminder windows, in virtual time on the headless toolkit.
#include "tests/native/AppFixture.h"

#include "app/StatusTexts.h"

namespace apptest {
namespace {

using namespace app::mainwin;

const char* const kRingtone = "C:\\铃声\\ring.mp3";
const char* const kReminder = "两行的\r\n提醒";

const std::vector<std::string_view> kClockLists = {kClockHourList, kClockMinuteList, kClockSecondList};
const std::vector<std::string_view> kCountdownLists = {kCountdownHourList, kCountdownMinuteList,
                                                       kCountdownSecondList};
const std::vector<std::string_view> kWatchers = {"时钟3", "时钟4", "时钟5", "时钟6", "时钟7", "时钟8"};

class ScheduleTest : public AppFixture {
 protected:
  // Starts the program and lets a third of a second pass, so that ticks fall
  // inside seconds rather than on their edges.
  void startInsideASecond() {
    start();
    ui.advance(300);
  }
  void switchToCountdown() { click(kCountdownModeBox); }
  void setClockTime(const char* h, const char* m, const char* s) {
    pick(kClockHourList, h);
    pick(kClockMinuteList, m);
    pick(kClockSecondList, s);
  }
  void setCountdown(const char* h, const char* m, const char* s) {
    pick(kCountdownHourList, h);
    pick(kCountdownMinuteList, m);
    pick(kCountdownSecondList, s);
  }
  void expectInputsEnabled(bool on, const std::vector<std::string_view>& lists) {
    for (auto name : lists) EXPECT_EQ(enabled(name), on) << name;
    EXPECT_EQ(enabled(kActionList), on);
    EXPECT_EQ(enabled(kClockModeBox), on);
    EXPECT_EQ(enabled(kCountdownModeBox), on);
    EXPECT_EQ(enabled(kStartButton), on);
    EXPECT_EQ(enabled(kCancelButton), !on);
  }
  void expectRingtoneButtons(bool on) {
    for (auto name : {kChooseRingtoneButton, kTryRingtoneButton, kStopTryingButton})
      EXPECT_EQ(enabled(name), on) << name;
  }
  int runningWatchers() {
    int n = 0;
    for (auto w : kWatchers) n += period(w) > 0;
    return n;
  }
};

// ---- Mode and action ----------------------------------------------------------

TEST_F(ScheduleTest, ModeBoxesSwapTheGroupsAndResetTheActionAndReminder) {
  start();
  pickReminder("稍后提醒");
  switchToCountdown();
  EXPECT_FALSE(c(kClockModeBox).checked());
  EXPECT_TRUE(c(kCountdownModeBox).checked());
  EXPECT_FALSE(visible(kClockGroup));
  EXPECT_TRUE(visible(kCountdownGroup));
  EXPECT_EQ(text(kActionList), "关机");
  EXPECT_EQ(text(kActionNameLabel), "关机");
  EXPECT_EQ(text(kReminderTextBox), "");
  EXPECT_EQ(text(kActionGroup), "倒计时功能");
  EXPECT_EQ(text(kClockStatus), "欢迎使用本程序，定时功能未启动！");
  EXPECT_EQ(text(kCountdownStatus), "欢迎使用本程序，倒计时功能未启动！");  // the entered mode's line stays

  click(kClockModeBox);
  EXPECT_TRUE(visible(kClockGroup));
  EXPECT_FALSE(visible(kCountdownGroup));
  EXPECT_EQ(text(kActionGroup), "定时功能");
  EXPECT_EQ(text(kCountdownStatus), "欢迎使用本程序，倒计时功能未启动!");  // ASCII "!"

  // Clicking the ticked box again leaves it ticked and still resets.
  pickReminder("又一个提醒");
  click(kClockModeBox);
  EXPECT_TRUE(c(kClockModeBox).checked());
  EXPECT_EQ(text(kActionNameLabel), "关机");
  EXPECT_EQ(text(kReminderTextBox), "");
}

TEST_F(ScheduleTest, PickingTheAlarmEnablesTheRingtoneButtonsAndAMirrorFollowsEveryPick) {
  start();
  const struct { const char* item; const char* mirror; bool ringtone; } picks[] = {
      {"闹钟", "单选框4", true}, {"重启", "单选框2", false}, {"注销", "单选框3", false},
      {"休眠", "单选框5", false}, {"闹钟", "单选框4", true}, {"关机", "单选框1", false},
  };
  for (const auto& p : picks) {
    pick(kActionList, p.item);
    EXPECT_EQ(text(kActionNameLabel), p.item);
    EXPECT_TRUE(c(p.mirror).checked()) << p.item;
    for (auto m : {"单选框1", "单选框2", "单选框3", "单选框5", "单选框8", "单选框4"})
      EXPECT_EQ(c(m).checked(), std::string(m) == p.mirror) << p.item << " " << m;
    expectRingtoneButtons(p.ringtone);
    EXPECT_EQ(text(kClockStatus), "欢迎使用本程序，定时功能未启动!");
  }
}

TEST_F(ScheduleTest, ASwitchOfModeKeepsTheRingtoneButtonsAndTheAlarmMirror) {
  start();
  pick(kActionList, "闹钟");
  switchToCountdown();
  EXPECT_EQ(text(kActionList), "关机");
  expectRingtoneButtons(true);
  EXPECT_TRUE(c(kAlarmMirror).checked());
  // Cancelling a schedule then re-enables them by the mirror.
  click(kStartButton);
  expectRingtoneButtons(true);
  click(kCancelButton);
  expectRingtoneButtons(true);
}

TEST_F(ScheduleTest, PickingTheReminderAsksForItsTextAndDisablesMainWindow) {
  start();
  for (bool countdown : {false, true}) {
    if (countdown) switchToCountdown();
    pick(kActionList, "提示");
    ui::Window* settings = openWindow(app::PromptSettingsWindowDesign());
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(main->enabled());
    EXPECT_EQ(text(countdown ? kCountdownStatus : kClockStatus),
              countdown ? "您选择了倒计时提示功能，请先设置提示内容!" : "您选择了定时提示功能，请先设置提示内容!");
    expectRingtoneButtons(false);
    ui.click(*settings, "按钮2");  // 取消
    ui.settle();
    EXPECT_TRUE(main->enabled());
    EXPECT_EQ(ui.activeWindow(), main);
    EXPECT_EQ(text(kActionNameLabel), "提示");
  }
}

TEST_F(ScheduleTest, TheListsDoNotChangeThePreviewsUntilStart) {
  start();
  setClockTime("23", "59", "58");
  EXPECT_EQ(text(kClockPreview), "0时0分0秒");
  click(kStartButton);
  EXPECT_EQ(text(kClockPreview), "23时59分58秒");
}

// ---- Every action in both modes: start, fire, cancel ------------------------------

struct ActionCase {
  const char* name;
  const char* item;
  const char* watcher;
  const char* clockStarted;
  const char* countdownRunning;
  enum Fire { Ends, Suspends, Reminds, Rings } fire;
  int kind;
};

const ActionCase kActionCases[] = {
    {"ShutDown", "关机", "时钟4", "定时关机已启动，关机时间：", "倒计时关机已经运行！", ActionCase::Ends, 1},
    {"Restart", "重启", "时钟5", "定时重启已启动，重启时间：", "倒计时重启已经运行！", ActionCase::Ends, 2},
    {"LogOff", "注销", "时钟6", "定时注销已启动，注销时间：", "倒计时注销已经运行！", ActionCase::Ends, 3},
    {"Suspend", "休眠", "时钟7", "定时休眠已启动，休眠时间：", "倒计时休眠已经运行！", ActionCase::Suspends, 4},
    {"Reminder", "提示", "时钟8", "定时提示已启动，提示时间：", "倒计时提示已经运行！", ActionCase::Reminds, 0},
    {"Alarm", "闹钟", "时钟3", "定时闹钟已启动，闹钟时间：", "倒计时闹钟已经运行！", ActionCase::Rings, 0},
};

class EveryAction : public ScheduleTest,
                    public ::testing::WithParamInterface<std::tuple<ActionCase, bool>> {
 protected:
  const ActionCase& action() { return std::get<0>(GetParam()); }
  bool countdown() { return std::get<1>(GetParam()); }
  std::string_view status() { return countdown() ? kCountdownStatus : kClockStatus; }
  const std::vector<std::string_view>& lists() { return countdown() ? kCountdownLists : kClockLists; }
  std::string idleStatus() {
    return std::string(countdown() ? app::kCountdownIdle : app::kClockIdle);
  }

  // Picks the action with its input and starts a schedule that fires 5 s
  // after the start: at 9:00:05 on the clock, or after a count of 5 seconds.
  void startFiveSecondSchedule() {
    startInsideASecond();
    if (countdown()) switchToCountdown();
    switch (action().fire) {
      case ActionCase::Reminds: pickReminder(kReminder); break;
      case ActionCase::Rings: pickAlarm(kRingtone); break;
      default: pick(kActionList, action().item); break;
    }
    if (countdown()) {
      setCountdown("0", "0", "5");
    } else {
      setClockTime("9", "0", "5");
    }
    click(kStartButton);
  }
};

TEST_P(EveryAction, StartsLocksTheInputsAndShowsItsStatus) {
  startFiveSecondSchedule();
  expectInputsEnabled(false, lists());
  EXPECT_FALSE(visible(kCloseAlarmButton));
  expectRingtoneButtons(false);
  if (countdown()) {
    EXPECT_EQ(text(kCountdownPreview), "0时0分5秒");
    EXPECT_EQ(text(kRemainingMilliseconds), "5000");
    EXPECT_EQ(text(kCountdownStatus), action().countdownRunning);
    EXPECT_EQ(text(kTimeLeftLabel), "0时0分59秒");  // not written until the first tick
    EXPECT_EQ(period(kCountdownTimer), 1000);
    EXPECT_EQ(period(kTimeLeftTimer), 1000);
    EXPECT_EQ(period(kCountdownTipTimer), 100);
    EXPECT_EQ(runningWatchers(), 0);
    ui.advance(100);
    EXPECT_EQ(tip(), "Vaelto\r\n" + std::string(action().countdownRunning) + "剩余时间：0时0分59秒");
    ui.advance(900);
    EXPECT_EQ(text(kTimeLeftLabel), "0时0分4秒");
    EXPECT_EQ(tip(), "Vaelto\r\n" + std::string(action().countdownRunning) + "剩余时间：0时0分4秒");
  } else {
    EXPECT_EQ(text(kClockPreview), "9时0分5秒");
    const std::string started = std::string(action().clockStarted) + "9时0分5秒";
    EXPECT_EQ(text(kClockStatus), started);
    EXPECT_EQ(tip(), "Vaelto\r\n" + started);
    EXPECT_EQ(period(action().watcher), 1000);
    EXPECT_EQ(runningWatchers(), 1);
    EXPECT_EQ(period(kCountdownTimer), 0);
  }
}

TEST_P(EveryAction, FiresAtItsSecondAndNotBefore) {
  startFiveSecondSchedule();
  ui.advance(4000);
  EXPECT_FALSE(enabled(kStartButton));
  EXPECT_TRUE(system.requests("ShutDownSystem").empty());
  EXPECT_TRUE(system.requests("PlayMp3").empty());
  EXPECT_EQ(ui.openWindows().size(), 1u);

  ui.advance(1000);
  const std::vector<std::string> power = system.requests("ShutDownSystem");
  if (action().fire == ActionCase::Ends) {
    EXPECT_EQ(power, std::vector<std::string>{"ShutDownSystem " + std::to_string(action().kind) + " 0"});
    EXPECT_TRUE(ui.ended());
    return;
  }
  EXPECT_FALSE(ui.ended());
  EXPECT_EQ(tip(), kIdleTip);
  EXPECT_EQ(runningWatchers(), 0);
  EXPECT_EQ(period(kCountdownTimer), 0);
  EXPECT_EQ(period(kCountdownTipTimer), 0);
  for (auto name : lists()) EXPECT_TRUE(enabled(name)) << name;
  EXPECT_TRUE(enabled(kActionList));
  EXPECT_TRUE(enabled(kClockModeBox));
  EXPECT_TRUE(enabled(kCountdownModeBox));
  EXPECT_TRUE(enabled(kStartButton));
  EXPECT_FALSE(enabled(kCancelButton));
  switch (action().fire) {
    case ActionCase::Suspends:
      EXPECT_EQ(power, std::vector<std::string>{"ShutDownSystem 4 0"});
      EXPECT_EQ(text(status()), idleStatus());
      EXPECT_TRUE(main->enabled());
      break;
    case ActionCase::Reminds: {
      EXPECT_TRUE(power.empty());
      ui::Window* prompt = openWindow(app::PromptWindowDesign());
      ASSERT_NE(prompt, nullptr);
      EXPECT_EQ(prompt->control("编辑框1").text(), kReminder);  // line breaks kept
      EXPECT_FALSE(main->enabled());
      EXPECT_EQ(text(kReminderTextBox), "");  // used up
      EXPECT_EQ(text(status()), idleStatus());
      ui.click(*prompt, "按钮1");
      ui.settle();
      EXPECT_TRUE(main->enabled());
      EXPECT_EQ(ui.activeWindow(), main);
      break;
    }
    case ActionCase::Rings:
      EXPECT_TRUE(power.empty());
      EXPECT_EQ(system.requests("PlayMp3"), std::vector<std::string>{"PlayMp3 1 " + std::string(kRingtone)});
      EXPECT_TRUE(visible(kCloseAlarmButton));
      EXPECT_EQ(text(status()), app::kAlarmRinging);
      expectRingtoneButtons(true);
      break;
    case ActionCase::Ends: break;
  }
  if (countdown()) {
    EXPECT_EQ(period(kTimeLeftTimer), 1000);  // the display is never stopped
    ui.advance(1000);
    EXPECT_EQ(text(kTimeLeftLabel), "0时0分0秒");
  }
}

TEST_P(EveryAction, CancelStopsEverythingAndNothingFiresLater) {
  startFiveSecondSchedule();
  ui.advance(2000);
  click(kCancelButton);
  EXPECT_EQ(system.journal.back(), "StopPlaying");
  expectInputsEnabled(true, lists());
  EXPECT_EQ(text(status()), idleStatus());
  EXPECT_EQ(tip(), kIdleTip);
  EXPECT_EQ(text(kReminderTextBox), "");
  expectRingtoneButtons(action().fire == ActionCase::Rings);
  EXPECT_EQ(runningWatchers(), 0);
  EXPECT_EQ(period(kCountdownTimer), 0);
  if (countdown()) EXPECT_EQ(text(kTimeLeftLabel), "0时0分3秒");  // kept as it was
  ui.advance(10000);  // past the set second and the end of the count
  EXPECT_TRUE(system.requests("ShutDownSystem").empty());
  EXPECT_TRUE(system.requests("PlayMp3").empty());
  EXPECT_FALSE(ui.ended());
  EXPECT_EQ(ui.openWindows().size(), 1u);
  if (countdown()) EXPECT_EQ(text(kTimeLeftLabel), "0时0分3秒");
}

std::string EveryActionName(const ::testing::TestParamInfo<std::tuple<ActionCase, bool>>& info) {
  return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Countdown" : "ClockTime");
}

INSTANTIATE_TEST_SUITE_P(BothModes, EveryAction,
                         ::testing::Combine(::testing::ValuesIn(kActionCases), ::testing::Bool()),
                         EveryActionName);

// ---- Refusals ------------------------------------------------------------------------

TEST_F(ScheduleTest, AnAlarmWithoutRingtoneIsRefusedInBothModes) {
  start();
  for (bool countdown : {false, true}) {
    if (countdown) switchToCountdown();
    pick(kActionList, "闹钟");
    click(kStartButton);
    EXPECT_EQ(text(countdown ? kCountdownStatus : kClockStatus), "提示：请先选择铃声！");
    EXPECT_FALSE(enabled(kCancelButton));
    EXPECT_TRUE(enabled(kStartButton));
    expectInputsEnabled(true, countdown ? kCountdownLists : kClockLists);
    EXPECT_EQ(runningWatchers() + period(kCountdownTimer), 0);
    EXPECT_TRUE(ui.messages.size() == 1u);  // no message box
  }
}

TEST_F(ScheduleTest, AReminderWithoutTextAsksForItAndStartsNothing) {
  start();
  pick(kActionList, "提示");
  ui.click(*openWindow(app::PromptSettingsWindowDesign()), "按钮1");  // 确定 with an empty box
  ui.settle();
  EXPECT_TRUE(main->enabled());
  EXPECT_EQ(text(kReminderTextBox), "");
  click(kStartButton);
  ui::Window* settings = openWindow(app::PromptSettingsWindowDesign());
  ASSERT_NE(settings, nullptr);  // asked again
  EXPECT_FALSE(enabled(kCancelButton));
  EXPECT_EQ(runningWatchers(), 0);
  ui.type(*settings, "编辑框1", "现在有了");
  ui.click(*settings, "按钮1");
  ui.settle();
  EXPECT_TRUE(enabled(kStartButton));
  click(kStartButton);  // a second press starts it
  EXPECT_EQ(period("时钟8"), 1000);
}

TEST_F(ScheduleTest, ACountdownOfNoLengthIsRefused) {
  start();
  switchToCountdown();
  setCountdown("0", "0", "0");
  click(kStartButton);
  EXPECT_EQ(text(kCountdownStatus), "提示：请设置倒计时时间！");
  EXPECT_FALSE(enabled(kCancelButton));
  EXPECT_TRUE(enabled(kStartButton));
  EXPECT_EQ(period(kCountdownTimer), 0);
  EXPECT_EQ(text(kCountdownPreview), "0时0分0秒");
}

// ---- Clock-time specifics ------------------------------------------------------------

TEST_F(ScheduleTest, ATimeEarlierThanNowFiresTheNextDay) {
  startInsideASecond();
  setClockTime("8", "59", "59");
  click(kStartButton);
  ui.advance(24 * 3600 * 1000 - 2000);
  EXPECT_FALSE(ui.ended());
  ui.advance(2000);
  EXPECT_TRUE(ui.ended());
}

TEST_F(ScheduleTest, ATimeEqualToTheSecondOfStartFiresAtTheFirstTick) {
  startInsideASecond();  // 9:00:00.300
  setClockTime("9", "0", "0");
  click(kStartButton);
  ui.advance(999);
  EXPECT_FALSE(ui.ended());
  ui.advance(1);
  EXPECT_TRUE(ui.ended());
}

TEST_F(ScheduleTest, ALateTickCatchesUpTheSecondsItSkipped) {
  startInsideASecond();
  setClockTime("9", "0", "2");
  click(kStartButton);
  ui.advance(1000);  // 9:00:01.300
  ui.stall(1900);    // the next tick comes at 9:00:03.200, past 9:00:02
  ui.settle();
  EXPECT_TRUE(ui.ended());
}

TEST_F(ScheduleTest, AfterALongGapOnlyTheCurrentSecondCounts) {
  startInsideASecond();
  setClockTime("9", "0", "2");
  click(kStartButton);
  ui.advance(1000);
  ui.stall(2 * 3600 * 1000);  // the computer slept across 9:00:02
  ui.settle();
  EXPECT_FALSE(ui.ended());
  EXPECT_FALSE(enabled(kStartButton));
  ui.advance(22 * 3600 * 1000);  // 9:00:01.300 the next day
  EXPECT_FALSE(ui.ended());
  ui.advance(1000);
  EXPECT_TRUE(ui.ended());
}

TEST_F(ScheduleTest, StartingDuringARingingAlarmStopsItAndHidesCloseAlarm) {
  startInsideASecond();
  pickAlarm();
  setClockTime("9", "0", "1");
  click(kStartButton);
  ui.advance(1000);
  ASSERT_TRUE(visible(kCloseAlarmButton));
  ASSERT_TRUE(system.playing());
  pick(kActionList, "关机");
  setClockTime("10", "0", "0");
  click(kStartButton);
  EXPECT_FALSE(visible(kCloseAlarmButton));
  EXPECT_FALSE(system.playing());
  EXPECT_TRUE(visible(kTryRingtoneButton));
  EXPECT_EQ(text(kClockStatus), "定时关机已启动，关机时间：10时0分0秒");
}

class CloseAlarm : public ScheduleTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CloseAlarm, ResetsTheModeItRangIn) {
  const bool countdown = GetParam();
  startInsideASecond();
  if (countdown) switchToCountdown();
  pickAlarm();
  if (countdown) {
    setCountdown("0", "0", "1");
  } else {
    setClockTime("9", "0", "1");
  }
  click(kStartButton);
  ui.advance(1000);
  ASSERT_TRUE(visible(kCloseAlarmButton));
  ui.advance(120000);  // the file has long ended
  click(kCloseAlarmButton);
  EXPECT_FALSE(system.playing());
  EXPECT_FALSE(visible(kCloseAlarmButton));
  EXPECT_TRUE(enabled(kStartButton));
  EXPECT_EQ(text(countdown ? kCountdownStatus : kClockStatus),
            countdown ? "欢迎使用本程序，倒计时功能未启动！" : "欢迎使用本程序，定时功能未启动！");
  EXPECT_EQ(tip(), kIdleTip);
}

INSTANTIATE_TEST_SUITE_P(BothModes, CloseAlarm, ::testing::Bool());

// ---- Countdown specifics -------------------------------------------------------------

TEST_F(ScheduleTest, TheDefaultCountdownEndsAtItsFiftyNinthTick) {
  startInsideASecond();
  switchToCountdown();
  click(kStartButton);
  EXPECT_EQ(text(kCountdownStatus), "倒计时关机已经运行！");
  ui.advance(58000);
  EXPECT_FALSE(ui.ended());
  EXPECT_EQ(text(kTimeLeftLabel), "0时0分1秒");
  ui.advance(1000);
  EXPECT_TRUE(ui.ended());
  EXPECT_EQ(system.requests("ShutDownSystem"), std::vector<std::string>{"ShutDownSystem 1 0"});
}

TEST_F(ScheduleTest, LongCountdownsShowTheirTimeLeftAfterOneTick) {
  const struct { const char* h; const char* m; const char* s; const char* ms; const char* afterOne; } cases[] = {
      {"1", "0", "0", "3600000", "0时59分59秒"},
      {"59", "59", "59", "215999000", "59时59分58秒"},
  };
  start();
  switchToCountdown();
  for (const auto& k : cases) {
    setCountdown(k.h, k.m, k.s);
    click(kStartButton);
    EXPECT_EQ(text(kRemainingMilliseconds), k.ms);
    ui.advance(1000);
    EXPECT_EQ(text(kTimeLeftLabel), k.afterOne);
    click(kCancelButton);
  }
}

TEST_F(ScheduleTest, TheCountdownTipIsWrittenToTheSystemOnlyWhenItChanges) {
  startInsideASecond();
  switchToCountdown();
  click(kStartButton);
  ui.advance(1000);
  const int before = ui.tray(*main).systemWrites;
  ui.advance(10000);
  EXPECT_EQ(ui.tray(*main).systemWrites - before, 10);  // one a second, not ten
}

TEST_F(ScheduleTest, AfterASuspendTheTimeLeftReadsZero) {
  startInsideASecond();
  switchToCountdown();
  pick(kActionList, "休眠");
  setCountdown("0", "0", "3");
  click(kStartButton);
  ui.advance(4000);
  EXPECT_EQ(system.requests("ShutDownSystem"), std::vector<std::string>{"ShutDownSystem 4 0"});
  EXPECT_EQ(text(kTimeLeftLabel), "0时0分0秒");
  EXPECT_TRUE(enabled(kStartButton));
  EXPECT_EQ(text(kCountdownStatus), "欢迎使用本程序，倒计时功能未启动！");
}

// ---- Ringtone --------------------------------------------------------------------------

TEST_F(ScheduleTest, ChoosingARingtoneUsesTheDialogAndACancelKeepsTheFirstChoice) {
  start();
  pickAlarm("D:\\a.mp3");
  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(ui.fileDialogs[0].title, "请选择铃声");
  EXPECT_EQ(ui.fileDialogs[0].filter, "mp3文件(*.mp3)|*.mp3|");
  EXPECT_EQ(text(kRingtonePathBox), "D:\\a.mp3");
  ui.fileResponder = [](const ui::headless::FileDialogRecord&) { return std::nullopt; };
  click(kChooseRingtoneButton);
  EXPECT_EQ(ui.fileDialogs[1].initialFile, "D:\\a.mp3");  // starts on the last file
  EXPECT_EQ(text(kRingtonePathBox), "D:\\a.mp3");
  // Mode and action changes keep it.
  switchToCountdown();
  click(kClockModeBox);
  EXPECT_EQ(text(kRingtonePathBox), "D:\\a.mp3");
}

TEST_F(ScheduleTest, TryingAndStoppingTheRingtone) {
  start();
  pick(kActionList, "闹钟");
  click(kTryRingtoneButton);  // nothing chosen yet
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, "请先选择铃声!");
  EXPECT_EQ(ui.messages[1].style, 16);
  EXPECT_EQ(ui.messages[1].title, "Vaelto");
  EXPECT_TRUE(system.journal.empty());

  pickAlarm("D:\\b.mp3");
  click(kTryRingtoneButton);
  EXPECT_FALSE(visible(kTryRingtoneButton));
  EXPECT_TRUE(visible(kStopTryingButton));
  EXPECT_EQ(system.journal.back(), "PlayMp3 1 D:\\b.mp3");
  click(kStopTryingButton);
  EXPECT_EQ(system.journal.back(), "StopPlaying");
  EXPECT_TRUE(visible(kTryRingtoneButton));
  EXPECT_FALSE(visible(kStopTryingButton));
}

// ---- Reminder windows -------------------------------------------------------------------

TEST_F(ScheduleTest, PromptSettingsOpensBesideMainWindow) {
  start();
  const struct { int left, top, wantLeft, wantTop; } cases[] = {
      {40, 40, 8, 88}, {100, -60, 68, -11}, {0, -48, -32, 0}, {500, 300, 468, 348}};
  for (const auto& k : cases) {
    main->move(k.left, k.top);
    pick(kActionList, "提示");
    ui::Window* settings = openWindow(app::PromptSettingsWindowDesign());
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->left(), k.wantLeft);
    EXPECT_EQ(settings->top(), k.wantTop);
    ui.pressCloseBox(*settings);
    EXPECT_TRUE(main->enabled());
  }
}

TEST_F(ScheduleTest, PromptWindowIsCentredOnTopAndItsCloseBoxFreesMainWindow) {
  startInsideASecond();
  pickReminder("喝水");
  setClockTime("9", "0", "1");
  click(kStartButton);
  ui.advance(1000);
  ui::Window* prompt = openWindow(app::PromptWindowDesign());
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->caption(), "Vaelto (提示框)");
  EXPECT_TRUE(prompt->design().topMost);
  EXPECT_EQ(prompt->left(), (ui.screenWidth - 367) / 2);
  EXPECT_EQ(prompt->top(), (ui.screenHeight - 281) / 2);
  ui.pressCloseBox(*prompt);
  EXPECT_TRUE(main->enabled());
  EXPECT_EQ(ui.activeWindow(), main);
  click(kStartButton);  // the text was used up: asked anew
  EXPECT_NE(openWindow(app::PromptSettingsWindowDesign()), nullptr);
}

class ReminderTexts : public ScheduleTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ReminderTexts, AreShownAsTyped) {
  startInsideASecond();
  switchToCountdown();
  pickReminder(GetParam());
  setCountdown("0", "0", "1");
  click(kStartButton);
  ui.advance(1000);
  ui::Window* prompt = openWindow(app::PromptWindowDesign());
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->control("编辑框1").text(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(LargeAndBlank, ReminderTexts,
                         ::testing::Values(std::string(1 << 20, 'x'), std::string("\r\n\r\n\r\n")),
                         [](const auto& info) { return info.index == 0 ? std::string("OneMegabyte") : std::string("LineBreaksOnly"); });

// A window that holds MainWindow disabled while it is open, as the tool
// windows and the about window do.
const ui::WindowDesign& ToolLikeDesign() {
  static const ui::WindowDesign design{.caption = "工具", .width = 200, .height = 100};
  return design;
}

TEST_F(ScheduleTest, AReminderFiringWhileAnotherWindowHoldsMainWindowDisabled) {
  startInsideASecond();
  pickReminder("开会");
  setClockTime("9", "0", "2");
  click(kStartButton);
  ui.openWindow(ToolLikeDesign(), [](ui::Window&) { return std::make_unique<ui::WindowHandlers>(); });
  main->disable();
  ui.advance(2000);
  ui::Window* prompt = openWindow(app::PromptWindowDesign());
  ASSERT_NE(prompt, nullptr);
  ui.click(*prompt, "按钮1");
  ui.settle();
  // Closing the reminder frees MainWindow although the other window is still open.
  EXPECT_TRUE(main->enabled());
  EXPECT_NE(openWindow(ToolLikeDesign()), nullptr);
}

}  // namespace
}  // namespace apptest
