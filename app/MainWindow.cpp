// MainWindow's start-up, clock displays, tray icon, quit paths and the
// immediate power items.
#include "app/MainWindow.h"

#include "app/MainWindowDesign.h"
#include "app/StatusTexts.h"
#include "core/DateTime.h"
#include "core/Text.h"

namespace app {

using namespace mainwin;

namespace {
constexpr std::string_view kTitle = "Vaelto";
constexpr std::string_view kQuitQuestion = "程序正在计时，您确定退出？";
}  // namespace

ui::Window* OpenMainWindow(AppContext& app) {
  return app.ui.openWindow(MainWindowDesign(), [&app](ui::Window& w) {
    return std::make_unique<MainWindow>(w, app);
  });
}

MainWindow::MainWindow(ui::Window& window, AppContext& app) : window_(window), app_(app) {
  wireHandlers();
}

void MainWindow::wireHandlers() {
  c(kDateTimer).onTick([this] { showDateTime(); });
  c(kClockTextTimer).onTick([this] { showClockText(); });
  c(kUptimeTimer).onTick([this] { showUptime(); });

  c(kClockModeBox).onClick([this] { chooseMode(kClockMode, kCountdownMode); });
  c(kCountdownModeBox).onClick([this] { chooseMode(kCountdownMode, kClockMode); });
  c(kActionList).onSelect([this] { actionPicked(); });

  c(kStartButton).onClick([this] { startClicked(); });
  c(kCancelButton).onClick([this] { cancelClicked(); });
  for (const Action& action : kActions)
    c(action.watcher).onTick([this, &action] { watcherTick(action); });
  c(kCountdownTimer).onTick([this] { countdownTick(); });
  c(kTimeLeftTimer).onTick([this] { showTimeLeft(); });
  c(kCountdownTipTimer).onTick([this] { writeCountdownTip(); });

  c(kChooseRingtoneButton).onClick([this] { chooseRingtone(); });
  c(kTryRingtoneButton).onClick([this] { tryRingtone(); });
  c(kStopTryingButton).onClick([this] { stopTrying(); });
  c(kCloseAlarmButton).onClick([this] { closeAlarm(); });

  c(kQuitButton).onClick([this] { requestQuit(); });
  window_.menuItem(kQuitItem).onClick([this] { requestQuit(); });
  // 关于程序 (button and item) and the tool items open windows that are not
  // part of the program yet; until then they do nothing.

  const struct { std::string_view item; int kind; } powerItems[] = {
      {kShutDownNowItem, platform::kShutDown},
      {kRestartNowItem, platform::kRestart},
      {kSuspendNowItem, platform::kSuspend},
      {kLogOffNowItem, platform::kLogOff},
  };
  for (const auto& p : powerItems) {
    const int kind = p.kind;
    // At once and without asking; the result is not looked at and the
    // program goes on running.
    window_.menuItem(p.item).onClick([this, kind] { app_.system.power.shutDownSystem(kind); });
  }
}

void MainWindow::created() {
  writeIdleTip();
  showDateTime();
  c(kClockPreview).setText(listedTime(kClockMode));
  c(kCountdownStatus).setText(kCountdownIdle);
  c(kCountdownPreview).setText(listedTime(kCountdownMode));
  c(kTimeLeftLabel).setText(c(kCountdownPreview).text());
  setRingtoneButtons(false);
}

void MainWindow::firstActivated() {
  app_.ui.showMessage("欢迎使用 Vaelto ！", ui::style::kInformationIcon, kTitle);
  window_.focus();
}

void MainWindow::positionChanged() {
  // Minimising hides the window: from then on only the tray icon shows the program.
  if (window_.minimised()) window_.hide();
}

void MainWindow::trayEvent(int kind) {
  if (kind == ui::tray::kLeftButtonUp) {
    if (window_.visible()) {
      window_.hide();
    } else {
      window_.showNormal();
    }
  } else if (kind == ui::tray::kRightButtonUp) {
    window_.popupTrayMenu(kOptionsMenu);
  }
}

bool MainWindow::scheduleRunning() { return !c(kStartButton).enabled(); }

bool MainWindow::confirmQuitWhileRunning() {
  return app_.ui.showMessage(kQuitQuestion, ui::style::kYesNo, kTitle) == ui::MessageResult::Yes;
}

bool MainWindow::canClose() {
  if (!scheduleRunning()) return true;
  if (!confirmQuitWhileRunning()) return false;  // the schedule keeps running
  // The program ends before the queued close is carried out: no farewell.
  window_.removeTrayIcon();
  window_.close();
  app_.ui.endProgram();
  return false;
}

void MainWindow::requestQuit() {
  if (scheduleRunning() && !confirmQuitWhileRunning()) return;
  window_.removeTrayIcon();
  window_.close();
}

void MainWindow::destroying() {
  window_.removeTrayIcon();
  app_.ui.showMessage("感谢使用本程序，欢迎下次继续使用！", ui::style::kInformationIcon, kTitle);
}

void MainWindow::showDateTime() {
  c(kDateTimeLabel).setText(core::DateTimeText(app_.system.clock.currentDateTime()));
}

void MainWindow::showClockText() {
  c(kClockTextBox).setText(core::ClockTextOfSeconds(app_.system.clock.currentSecond()));
}

void MainWindow::showUptime() {
  const double u = app_.system.clock.uptimeMilliseconds();
  c(kUptimeMillisecondsLabel).setText(core::DecimalText(static_cast<std::int64_t>(u)));
  const int h = core::ToInteger(u / 3600000);
  const int m = core::ToInteger((u - h * 3600000.0) / 60000);
  const int s = core::ToInteger((u - h * 3600000.0 - m * 60000.0) / 1000);
  // Hours are not reduced to days.
  c(kUptimeText).setText("系统已经运行：" + core::DecimalText(h) + "时" + core::DecimalText(m) + "分" +
                         core::DecimalText(s) + "秒");
}

void MainWindow::writeIdleTip() { window_.setTrayIcon(window_.caption() + std::string(kCreditSuffix)); }

void MainWindow::writeClockStatusTip() {
  window_.setTrayIcon(window_.caption() + "\r\n" + c(kClockStatus).text());
}

void MainWindow::writeCountdownTip() {
  window_.setTrayIcon(window_.caption() + "\r\n" + c(kCountdownStatus).text() + "剩余时间：" +
                      c(kTimeLeftLabel).text());
}

}  // namespace app
