// The choice of mode and action, and the clock-time and countdown schedules:
// starting, cancelling and firing. Handlers that act by mode run their
// clock-time part when 定时设定 is ticked and then their countdown part when
// 倒计时设定 is ticked.
#include <cmath>

#include "app/MainWindow.h"
#include "app/MainWindowDesign.h"
#include "app/ReminderWindows.h"
#include "app/StatusTexts.h"
#include "core/Text.h"

namespace app {

using namespace mainwin;

namespace {
constexpr int kWatcherPeriod = 1000;
constexpr int kCountdownPeriod = 1000;
constexpr int kCountdownTipPeriod = 100;

// The form of a ClockText for a count of milliseconds; the hour may pass 23.
std::string TimeLeftText(const std::string& remaining) {
  const double ms = std::trunc(core::NumberOfText(remaining));
  const int h = core::ToInteger(ms / 3600000);
  const int m = core::ToInteger((ms - h * 3600000.0) / 60000);
  const int s = core::ToInteger((ms - h * 3600000.0 - m * 60000.0) / 1000);
  return core::DecimalText(h) + "时" + core::DecimalText(m) + "分" + core::DecimalText(s) + "秒";
}

}  // namespace

// ---- Mode and action ------------------------------------------------------

void MainWindow::chooseClockMode() {
  c(kClockModeBox).setChecked(true);
  c(kCountdownModeBox).setChecked(false);
  c(kClockGroup).show();
  c(kCountdownGroup).hide();
  c(kCountdownStatus).setText(kCountdownIdleAfterChoice);
  c(kActionList).select(0);
  c(kActionNameLabel).setText(kActions[0].name);
  c(kReminderTextBox).setText("");
  c(kActionGroup).setText("定时功能");
}

void MainWindow::chooseCountdownMode() {
  c(kClockModeBox).setChecked(false);
  c(kCountdownModeBox).setChecked(true);
  c(kClockGroup).hide();
  c(kCountdownGroup).show();
  c(kClockStatus).setText(kClockIdle);
  c(kActionList).select(0);
  c(kActionNameLabel).setText(kActions[0].name);
  c(kReminderTextBox).setText("");
  c(kActionGroup).setText("倒计时功能");
}

void MainWindow::actionPicked() {
  const int index = c(kActionList).selectedIndex();
  if (index < 0 || index >= static_cast<int>(kActions.size())) return;
  const Action& action = kActions[index];
  const struct { std::string_view box, status, askText, idleText; } modes[] = {
      {kClockModeBox, kClockStatus, "您选择了定时提示功能，请先设置提示内容!", kClockIdleAfterChoice},
      {kCountdownModeBox, kCountdownStatus, "您选择了倒计时提示功能，请先设置提示内容!", kCountdownIdleAfterChoice},
  };
  for (const auto& mode : modes) {
    if (!c(mode.box).checked()) continue;
    c(action.mirror).setChecked(true);  // deselects the other five mirrors
    c(kActionNameLabel).setText(action.name);
    c(mode.status).setText(action.outcome == Outcome::Reminder ? mode.askText : mode.idleText);
    setRingtoneButtons(action.outcome == Outcome::Alarm);
    if (action.outcome == Outcome::Reminder) {
      askForReminderText();
    } else {
      c(kStartButton).enable();
    }
  }
}

void MainWindow::setRingtoneButtons(bool enabled) {
  c(kChooseRingtoneButton).setEnabled(enabled);
  c(kTryRingtoneButton).setEnabled(enabled);
  c(kStopTryingButton).setEnabled(enabled);
}

// ---- 开启 -----------------------------------------------------------------

void MainWindow::startClicked() {
  c(kCloseAlarmButton).hide();
  turnMusicOff();
  if (c(kClockModeBox).checked()) startClockSchedule();
  if (c(kCountdownModeBox).checked()) startCountdown();
}

void MainWindow::lockClockInputs() {
  c(kCancelButton).enable();
  c(kStartButton).disable();
  for (auto list : {kClockHourList, kClockMinuteList, kClockSecondList, kActionList}) c(list).disable();
  c(kClockModeBox).disable();
  c(kCountdownModeBox).disable();
}

void MainWindow::unlockClockInputs() {
  for (auto list : {kClockHourList, kClockMinuteList, kClockSecondList, kActionList}) c(list).enable();
  c(kStartButton).enable();
  c(kCancelButton).disable();
}

void MainWindow::lockCountdownInputs() {
  for (auto list : {kCountdownHourList, kCountdownMinuteList, kCountdownSecondList, kActionList})
    c(list).disable();
  c(kCancelButton).enable();
  c(kStartButton).disable();
  c(kClockModeBox).disable();
  c(kCountdownModeBox).disable();
}

void MainWindow::unlockCountdownInputs() {
  for (auto list : {kCountdownSecondList, kCountdownMinuteList, kCountdownHourList, kActionList})
    c(list).enable();
  c(kStartButton).enable();
  c(kCancelButton).disable();
}

void MainWindow::startClockSchedule() {
  c(kClockPreview).setText(c(kClockHourList).text() + "时" + c(kClockMinuteList).text() + "分" +
                           c(kClockSecondList).text() + "秒");
  app_.system.sound.stopPlaying();
  c(kTryRingtoneButton).show();
  const Action& action = ActionNamed(c(kActionNameLabel).text());
  if (action.outcome == Outcome::Alarm && c(kRingtonePathBox).text().empty()) {
    c(kClockStatus).setText(kNoRingtone);
    c(kCancelButton).disable();
    return;
  }
  if (action.outcome == Outcome::Reminder && c(kReminderTextBox).text().empty()) {
    askForReminderText();
    c(kCancelButton).disable();
    return;
  }
  clockWatch_.start(app_.system.clock.currentSecond());
  c(action.watcher).setPeriod(kWatcherPeriod);
  // The ringtone can be neither changed nor tried while an alarm waits.
  if (action.outcome == Outcome::Alarm) setRingtoneButtons(false);
  lockClockInputs();
  c(kClockStatus).setText(std::string(action.clockStarted) + c(kClockPreview).text());
  writeClockStatusTip();
  if (action.outcome == Outcome::Alarm) turnMusicOff();
}

void MainWindow::startCountdown() {
  app_.system.sound.stopPlaying();
  c(kCountdownPreview).setText(c(kCountdownHourList).text() + "时" + c(kCountdownMinuteList).text() +
                               "分" + c(kCountdownSecondList).text() + "秒");
  const double hours = core::NumberOfText(c(kCountdownHourList).text());
  const double minutes = core::NumberOfText(c(kCountdownMinuteList).text());
  const double seconds = core::NumberOfText(c(kCountdownSecondList).text());
  const int duration = core::ToInteger(core::ToInteger(hours * 3600000) + core::ToInteger(minutes * 60000) +
                                       core::ToInteger(seconds * 1000.0));
  // The time left is not shown here: it changes at the first display tick.
  c(kRemainingMilliseconds).setText(core::DecimalText(duration));

  const Action& action = ActionNamed(c(kActionNameLabel).text());
  // A countdown of no length would never reach its end: refuse it like a
  // missing ringtone.
  if (duration == 0) {
    c(kCountdownStatus).setText(kNoCountdownTime);
    c(kCancelButton).disable();
    return;
  }
  if (action.outcome == Outcome::Reminder && c(kReminderTextBox).text().empty()) {
    askForReminderText();
    c(kCancelButton).disable();
    return;
  }
  if (action.outcome == Outcome::Alarm && c(kRingtonePathBox).text().empty()) {
    c(kCountdownStatus).setText(kNoRingtone);
    c(kCancelButton).disable();
    return;
  }
  c(kTimeLeftTimer).setPeriod(kCountdownPeriod);
  c(kCountdownTimer).setPeriod(kCountdownPeriod);
  c(kCountdownStatus).setText(action.countdownRunning);
  c(kCountdownTipTimer).setPeriod(kCountdownTipPeriod);
  lockCountdownInputs();
  if (action.outcome == Outcome::Alarm) setRingtoneButtons(false);
}

// ---- 取消 -----------------------------------------------------------------

void MainWindow::cancelClicked() {
  if (c(kClockModeBox).checked()) cancelClockSchedule();
  if (c(kCountdownModeBox).checked()) cancelCountdown();
}

void MainWindow::cancelClockSchedule() {
  for (const Action& action : kActions) c(action.watcher).setPeriod(0);
  c(kStartButton).enable();
  c(kCancelButton).disable();
  c(kReminderTextBox).setText("");
  c(kClockStatus).setText(kClockIdle);
  app_.system.sound.stopPlaying();
  for (auto list : {kClockHourList, kClockMinuteList, kClockSecondList, kActionList}) c(list).enable();
  writeIdleTip();
  c(kClockModeBox).enable();
  c(kCountdownModeBox).enable();
  setRingtoneButtons(c(kAlarmMirror).checked());
}

void MainWindow::cancelCountdown() {
  app_.system.sound.stopPlaying();
  for (auto list : {kCountdownHourList, kCountdownMinuteList, kCountdownSecondList, kActionList})
    c(list).enable();
  c(kCountdownTimer).setPeriod(0);
  c(kCountdownTipTimer).setPeriod(0);
  c(kStartButton).enable();
  c(kCancelButton).disable();
  c(kReminderTextBox).setText("");
  writeIdleTip();
  c(kClockModeBox).enable();
  c(kCountdownModeBox).enable();
  c(kCountdownStatus).setText(kCountdownIdle);
  setRingtoneButtons(c(kAlarmMirror).checked());
}

// ---- Clock-time firing ------------------------------------------------------

void MainWindow::watcherTick(const Action& action) {
  if (clockWatch_.reached(c(kClockPreview).text(), app_.system.clock.currentSecond()))
    fireClockSchedule(action);
}

void MainWindow::fireClockSchedule(const Action& action) {
  switch (action.outcome) {
    case Outcome::PowerThenEnd:
      // The program ends whatever the system answers; the system goes on
      // to shut down, restart or log off on its own.
      app_.system.power.shutDownSystem(action.powerKind);
      app_.ui.endProgram();
      return;
    case Outcome::Suspend:
      app_.system.power.shutDownSystem(action.powerKind);
      c(action.watcher).setPeriod(0);
      unlockClockInputs();
      c(kClockStatus).setText(kClockIdle);
      writeIdleTip();
      break;
    case Outcome::Alarm:
      ringAlarm();
      c(action.watcher).setPeriod(0);
      c(kCancelButton).disable();
      c(kCloseAlarmButton).show();  // lies over 取消
      c(kClockStatus).setText(kAlarmRinging);
      writeIdleTip();
      unlockClockInputs();
      setRingtoneButtons(true);
      break;
    case Outcome::Reminder:
      showReminder();
      c(action.watcher).setPeriod(0);
      unlockClockInputs();
      c(kReminderTextBox).setText("");  // used up: the next reminder asks anew
      c(kClockStatus).setText(kClockIdle);
      writeIdleTip();
      break;
  }
  c(kClockModeBox).enable();
  c(kCountdownModeBox).enable();
}

// ---- Countdown --------------------------------------------------------------

void MainWindow::showTimeLeft() { c(kTimeLeftLabel).setText(TimeLeftText(c(kRemainingMilliseconds).text())); }

void MainWindow::countdownTick() {
  // Real arithmetic, written in the shortest form: "1000" becomes "0".
  const double remaining = core::NumberOfText(c(kRemainingMilliseconds).text()) - 1000;
  c(kRemainingMilliseconds).setText(core::DecimalText(remaining));
  // The countdown ends at the tick that brings the count to "0".
  if (c(kRemainingMilliseconds).text() == "0") endCountdown(ActionNamed(c(kActionNameLabel).text()));
}

void MainWindow::endCountdown(const Action& action) {
  switch (action.outcome) {
    case Outcome::PowerThenEnd:
      app_.system.power.shutDownSystem(action.powerKind);
      app_.ui.endProgram();
      return;
    case Outcome::Suspend:
      // The steps after the call run when the computer has resumed.
      app_.system.power.shutDownSystem(action.powerKind);
      c(kCountdownTimer).setPeriod(0);
      unlockCountdownInputs();
      c(kCountdownTipTimer).setPeriod(0);
      writeIdleTip();
      c(kCountdownStatus).setText(kCountdownIdle);
      break;
    case Outcome::Reminder:
      c(kCountdownTimer).setPeriod(0);
      showReminder();
      c(kReminderTextBox).setText("");
      unlockCountdownInputs();
      c(kCountdownTipTimer).setPeriod(0);
      writeIdleTip();
      c(kCountdownStatus).setText(kCountdownIdle);
      break;
    case Outcome::Alarm:
      c(kCountdownTimer).setPeriod(0);
      ringAlarm();
      setRingtoneButtons(true);
      unlockCountdownInputs();
      c(kCloseAlarmButton).show();
      c(kCountdownTipTimer).setPeriod(0);
      writeIdleTip();
      c(kCountdownStatus).setText(kAlarmRinging);
      break;
  }
  c(kClockModeBox).enable();
  c(kCountdownModeBox).enable();
}

// ---- Reminder windows --------------------------------------------------------

void MainWindow::askForReminderText() { AskForReminderText(app_, window_); }

void MainWindow::showReminder() { ShowReminder(app_, window_, c(kReminderTextBox).text()); }

}  // namespace app
