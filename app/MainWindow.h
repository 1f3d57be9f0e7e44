// MainWindow: the clock displays, tray icon and quit paths, the choice of
// mode and action, the clock-time and countdown schedules, the ringtone and
// the reminder windows. All schedule state lives in the window's controls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/Actions.h"
#include "app/AppContext.h"
#include "app/ClockWatch.h"
#include "app/Modes.h"
#include "ui/Toolkit.h"

namespace app {

// The author credit and contact lines that follow the caption in the idle tray tip.
inline constexpr std::string_view kCreditSuffix = "\r\n作者：Vaelto 团队\r\n联系：vaelto@example.com";

// Opens MainWindow; the program runs until it is destroyed.
ui::Window* OpenMainWindow(AppContext& app);

class MainWindow : public ui::WindowHandlers {
 public:
  MainWindow(ui::Window& window, AppContext& app);

  void created() override;
  void firstActivated() override;
  void positionChanged() override;
  void trayEvent(int kind) override;
  bool canClose() override;
  void destroying() override;

 private:
  ui::Control& c(std::string_view name) { return window_.control(name); }
  void wireHandlers();

  // Start-up, clocks, tray and quitting.
  void showDateTime();
  void showClockText();
  void showUptime();
  void requestQuit();
  bool confirmQuitWhileRunning();
  bool scheduleRunning();
  void writeIdleTip();
  void writeClockStatusTip();
  void writeCountdownTip();

  // Mode and action.
  std::string listedTime(const Mode& mode);  // the time the mode's lists show, as a ClockText
  void chooseMode(const Mode& entered, const Mode& left);
  void actionPicked();
  void setRingtoneButtons(bool enabled);

  // The start button and the cancel button, each with its two mode halves.
  void startClicked();
  void startClockSchedule();
  void startCountdown();
  bool refusedForMissingInput(const Mode& mode, const Action& action);
  void cancelClicked();
  void cancelClockSchedule();
  void cancelCountdown();
  void lockInputs(const Mode& mode);
  void unlockInputs(const Mode& mode);

  // Firing.
  void watcherTick(const Action& action);
  void countdownTick();
  void showTimeLeft();
  void fire(const Mode& mode, const Action& action);

  // Ringtone.
  void chooseRingtone();
  void tryRingtone();
  void stopTrying();
  void ringAlarm();
  void closeAlarm();

  // Reminder windows.
  void askForReminderText();
  void showReminder();

  // The background tune arrives with the music switch; until then the
  // schedule's calls to silence it have nothing to silence.
  void turnMusicOff() {}

  ui::Window& window_;
  AppContext& app_;
  ClockWatch clockWatch_;
};

}  // namespace app
