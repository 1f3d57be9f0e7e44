// The alarm ringtone: choosing it, trying it, ringing and closing the alarm.
#include "app/MainWindow.h"
#include "app/MainWindowDesign.h"
#include "app/StatusTexts.h"

namespace app {

using namespace mainwin;

void MainWindow::chooseRingtone() {
  const auto path = app_.ui.chooseOpenFile("请选择铃声", "mp3文件(*.mp3)|*.mp3|");
  if (!path) return;  // cancelled: an earlier ringtone stays
  c(kRingtonePathBox).setText(*path);
  c(kTryRingtoneButton).enable();
}

void MainWindow::tryRingtone() {
  const std::string path = c(kRingtonePathBox).text();
  if (path.empty()) {
    app_.ui.showMessage("请先选择铃声!", ui::style::kStopIcon, "Vaelto");
    return;
  }
  turnMusicOff();
  c(kTryRingtoneButton).hide();
  c(kStopTryingButton).show();
  app_.system.sound.playMp3(1, path);
}

void MainWindow::stopTrying() {
  app_.system.sound.stopPlaying();
  c(kTryRingtoneButton).show();
  c(kStopTryingButton).hide();
}

void MainWindow::ringAlarm() { app_.system.sound.playMp3(1, c(kRingtonePathBox).text()); }

void MainWindow::closeAlarm() {
  // The schedule that rang has already reset the timers, 取消, the ringtone
  // buttons and the tray tip.
  if (c(kClockModeBox).checked()) {
    app_.system.sound.stopPlaying();
    for (auto list : kClockMode.lists) c(list).enable();
    c(kActionList).enable();
    c(kClockStatus).setText(kClockIdle);
    c(kCloseAlarmButton).hide();
    c(kStartButton).enable();
  }
  if (c(kCountdownModeBox).checked()) {
    app_.system.sound.stopPlaying();
    c(kCloseAlarmButton).hide();
    c(kStartButton).enable();
    c(kCountdownStatus).setText(kCountdownIdle);
  }
}

}  // namespace app
