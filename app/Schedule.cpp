// The choice of mode and action, and the clock-time and countdown schedules:
// starting, cancelling and firing. Handlers that act by mode run their
// clock-time part when 定时设定 is ticked and then their countdown part when
// 倒计时设定 is ticked.
#include <cmath>

#include "app/MainWindow.h"
#include "app/MainWindowDesign.h"
#include "app/ReminderWindows.h"
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

std::string MainWindow::listedTime(const Mode& mode) {
  return c(mode.lists[0]).text() + "时" + c(mode.lists[1]).text() + "分" + c(mode.lists[2]).text() + "秒";
}

// ---- Mode and action ------------------------------------------------------

void MainWindow::chooseMode(const Mode& entered, const Mode& left) {
  c(entered.box).setChecked(true);
  c(left.box).setChecked(false);
  c(entered.group).show();
  c(left.group).hide();
  // The status of the mode being left is reset; that of the mode entered is not.
  c(left.status).setText(left.statusWhenLeft);
  c(kActionList).select(0);
  c(kActionNameLabel).setText(kActions[0].name);
  c(kReminderTextBox).setText("");
  c(kActionGroup).setText(entered.actionCaption);
}

void MainWindow::actionPicked() {
  const int index = c(kActionList).selectedIndex();
  if (index < 0 || index >= static_cast<int>(kActions.size())) return;
  const Action& action = kActions[index];
  for (const Mode* mode : kModes) {
    if (!c(mode->box).checked()) continue;
    c(action.mirror).setChecked(true);  // deselects the other five mirrors
    c(kActionNameLabel).setText(action.name);
    c(mode->status).setText(action.outcome == Outcome::Reminder ? mode->askForReminder : mode->idleAfterPick);
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
  if (c(kClockMode.box).checked()) startClockSchedule();
  if (c(kCountdownMode.box).checked()) startCountdown();
}

// While a schedule runs its time lists, the action list and both mode boxes
// are locked, 开启 is disabled and 取消 enabled.
void MainWindow::lockInputs(const Mode& mode) {
  for (auto list : mode.lists) c(list).disable();
  c(kActionList).disable();
  c(kCancelButton).enable();
  c(kStartButton).disable();
  c(kClockMode.box).disable();
  c(kCountdownMode.box).disable();
}

void MainWindow::unlockInputs(const Mode& mode) {
  for (auto list : mode.lists) c(list).enable();
  c(kActionList).enable();
  c(kStartButton).enable();
  c(kCancelButton).disable();
  c(kClockMode.box).enable();
  c(kCountdownMode.box).enable();
}

// An alarm needs a ringtone and a reminder its text: without them nothing
// starts and 取消 is disabled. True when refused.
bool MainWindow::refusedForMissingInput(const Mode& mode, const Action& action) {
  if (action.outcome == Outcome::Alarm && c(kRingtonePathBox).text().empty()) {
    c(mode.status).setText(kNoRingtone);
  } else if (action.outcome == Outcome::Reminder && c(kReminderTextBox).text().empty()) {
    askForReminderText();
  } else {
    return false;
  }
  c(kCancelButton).disable();
  return true;
}

void MainWindow::startClockSchedule() {
  c(kClockPreview).setText(listedTime(kClockMode));
  app_.system.sound.stopPlaying();
  c(kTryRingtoneButton).show();
  const Action& action = ActionNamed(c(kActionNameLabel).text());
  if (refusedForMissingInput(kClockMode, action)) return;
  clockWatch_.start(app_.system.clock.currentSecond());
  c(action.watcher).setPeriod(kWatcherPeriod);
  // The ringtone can be neither changed nor tried while an alarm waits.
  if (action.outcome == Outcome::Alarm) setRingtoneButtons(false);
  lockInputs(kClockMode);
  c(kClockStatus).setText(std::string(action.clockStarted) + c(kClockPreview).text());
  writeClockStatusTip();
  if (action.outcome == Outcome::Alarm) turnMusicOff();
}

void MainWindow::startCountdown() {
  app_.system.sound.stopPlaying();
  c(kCountdownPreview).setText(listedTime(kCountdownMode));
  const double hours = core::NumberOfText(c(kCountdownHourList).text());
  const double minutes = core::NumberOfText(c(kCountdownMinuteList).text());
  const double seconds = core::NumberOfText(c(kCountdownSecondList).text());
  const int duration = core::ToInteger(core::ToInteger(hours * 3600000) + core::ToInteger(minutes * 60000) +
                                       core::ToInteger(seconds * 1000.0));
  // The time left is not shown here: it changes at the first display tick.
  c(kRemainingMilliseconds).setText(core::DecimalText(duration));

  // A countdown of no length would never reach its end: refuse it like a
  // missing ringtone.
  if (duration == 0) {
    c(kCountdownStatus).setText(kNoCountdownTime);
    c(kCancelButton).disable();
    return;
  }
  const Action& action = ActionNamed(c(kActionNameLabel).text());
  if (refusedForMissingInput(kCountdownMode, action)) return;
  c(kTimeLeftTimer).setPeriod(kCountdownPeriod);
  c(kCountdownTimer).setPeriod(kCountdownPeriod);
  c(kCountdownStatus).setText(action.countdownRunning);
  c(kCountdownTipTimer).setPeriod(kCountdownTipPeriod);
  lockInputs(kCountdownMode);
  if (action.outcome == Outcome::Alarm) setRingtoneButtons(false);
}

// ---- 取消 -----------------------------------------------------------------

void MainWindow::cancelClicked() {
  if (c(kClockMode.box).checked()) cancelClockSchedule();
  if (c(kCountdownMode.box).checked()) cancelCountdown();
}

void MainWindow::cancelClockSchedule() {
  for (const Action& action : kActions) c(action.watcher).setPeriod(0);
  c(kReminderTextBox).setText("");
  c(kClockStatus).setText(kClockIdle);
  app_.system.sound.stopPlaying();
  unlockInputs(kClockMode);
  writeIdleTip();
  setRingtoneButtons(c(kAlarmMirror).checked());
}

void MainWindow::cancelCountdown() {
  app_.system.sound.stopPlaying();
  c(kCountdownTimer).setPeriod(0);
  c(kCountdownTipTimer).setPeriod(0);
  unlockInputs(kCountdownMode);
  c(kReminderTextBox).setText("");
  writeIdleTip();
  c(kCountdownStatus).setText(kCountdownIdle);
  setRingtoneButtons(c(kAlarmMirror).checked());
}

// ---- Firing ----------------------------------------------------------------
// A clock-time schedule fires when its watcher finds the set time, a countdown
// at the tick that brings its count to "0". Both then run the action.

void MainWindow::watcherTick(const Action& action) {
  if (clockWatch_.reached(c(kClockPreview).text(), app_.system.clock.currentSecond()))
    fire(kClockMode, action);
}

void MainWindow::countdownTick() {
  // Real arithmetic, written in the shortest form: "1000" becomes "0".
  const double remaining = core::NumberOfText(c(kRemainingMilliseconds).text()) - 1000;
  c(kRemainingMilliseconds).setText(core::DecimalText(remaining));
  if (c(kRemainingMilliseconds).text() == "0") fire(kCountdownMode, ActionNamed(c(kActionNameLabel).text()));
}

void MainWindow::showTimeLeft() { c(kTimeLeftLabel).setText(TimeLeftText(c(kRemainingMilliseconds).text())); }

void MainWindow::fire(const Mode& mode, const Action& action) {
  if (action.outcome == Outcome::PowerThenEnd) {
    // The program ends whatever the system answers; the system goes on to
    // shut down, restart or log off on its own.
    app_.system.power.shutDownSystem(action.powerKind);
    app_.ui.endProgram();
    return;
  }
  // The steps after a suspend run when the computer has resumed.
  if (action.outcome == Outcome::Suspend) app_.system.power.shutDownSystem(action.powerKind);
  // The schedule's timers stop; the countdown's display runs on, so that it
  // shows the count that ended.
  c(action.watcher).setPeriod(0);
  c(kCountdownTimer).setPeriod(0);
  c(kCountdownTipTimer).setPeriod(0);
  if (action.outcome == Outcome::Reminder) {
    showReminder();
    c(kReminderTextBox).setText("");  // used up: the next reminder asks anew
  }
  if (action.outcome == Outcome::Alarm) {
    ringAlarm();
    setRingtoneButtons(true);
    c(kCloseAlarmButton).show();  // lies over 取消
  }
  unlockInputs(mode);
  writeIdleTip();
  c(mode.status).setText(action.outcome == Outcome::Alarm ? kAlarmRinging : mode.idle);
}

// ---- Reminder windows --------------------------------------------------------

void MainWindow::askForReminderText() { AskForReminderText(app_, window_); }

void MainWindow::showReminder() { ShowReminder(app_, window_, c(kReminderTextBox).text()); }

}  // namespace app
