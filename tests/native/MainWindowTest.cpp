// MainWindow's start-up, clock displays, tray icon, quit paths and the
// immediate power items, on the headless toolkit.
#include "tests/native/AppFixture.h"

#include "core/Text.h"

namespace apptest {
namespace {

using namespace app::mainwin;
using ui::MessageResult;

class MainWindowTest : public AppFixture {};

TEST_F(MainWindowTest, StartsWithTheDesignedTextsAndTheGreetingOnce) {
  start();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "欢迎使用 Vaelto ！");
  EXPECT_EQ(ui.messages[0].style, 64);
  EXPECT_EQ(ui.messages[0].title, "Vaelto");
  EXPECT_EQ(ui.activeWindow(), main);

  EXPECT_EQ(main->caption(), "Vaelto");
  EXPECT_EQ(text(kDateTimeLabel), "2026年12月11日9时");
  EXPECT_EQ(text(kClockPreview), "0时0分0秒");
  EXPECT_EQ(text(kCountdownPreview), "0时0分59秒");
  EXPECT_EQ(text(kTimeLeftLabel), "0时0分59秒");
  EXPECT_EQ(text(kClockStatus), "欢迎使用本程序，定时功能未启动！");
  EXPECT_EQ(text(kCountdownStatus), "欢迎使用本程序，倒计时功能未启动！");
  EXPECT_EQ(text(kActionList), "关机");
  EXPECT_EQ(text(kActionNameLabel), "关机");
  EXPECT_EQ(text(kCountdownHourList) + text(kCountdownMinuteList) + text(kCountdownSecondList), "0059");
  EXPECT_TRUE(c(kClockModeBox).checked());
  EXPECT_FALSE(c(kCountdownModeBox).checked());
  EXPECT_TRUE(visible(kClockGroup));
  EXPECT_FALSE(visible(kCountdownGroup));
  EXPECT_FALSE(visible(kCloseAlarmButton));
  for (auto name : {kChooseRingtoneButton, kTryRingtoneButton, kStopTryingButton, kCancelButton})
    EXPECT_FALSE(enabled(name)) << name;
  EXPECT_TRUE(enabled(kStartButton));
  EXPECT_TRUE(ui.tray(*main).present);
  EXPECT_EQ(tip(), kIdleTip);
  EXPECT_TRUE(main->menuItem("血色爱国").checked());
  EXPECT_TRUE(main->menuItem(kMusicOnItem).checked());
  EXPECT_FALSE(main->menuItem(kMusicOffItem).checked());

  ui.advance(60000);
  main->focus();
  ui.advance(1000);
  EXPECT_EQ(ui.messages.size(), 1u);  // the greeting comes once
}

TEST_F(MainWindowTest, TheIdleTipFitsTheTrayWithoutACut) {
  EXPECT_LE(core::GbkLength(kIdleTip), ui::kTrayTipBytes);
}

TEST_F(MainWindowTest, ClockDisplaysFollowTheClock) {
  // One second before midnight: the next date tick falls on 00:00:00.
  system.setLocalTime(core::DateTimeOf(2014, 7, 4, 23, 59, 59));
  system.setUptime(90061001 - 100);  // the uptime reads 90,061,001 at the first tick
  start();
  ui.advance(100);
  EXPECT_EQ(text(kUptimeText), "系统已经运行：25时1分1秒");
  EXPECT_EQ(text(kUptimeMillisecondsLabel), "90061001");
  EXPECT_EQ(text(kClockTextBox), "23时59分59秒");
  ui.advance(900);
  EXPECT_EQ(text(kDateTimeLabel), "2014年7月5日");
  EXPECT_EQ(text(kClockTextBox), "0时0分0秒");
  ui.advance(9 * 3600 * 1000 + 5 * 60 * 1000);
  EXPECT_EQ(text(kDateTimeLabel), "2014年7月5日9时5分");
  EXPECT_EQ(text(kClockTextBox), "9时5分0秒");
}

TEST_F(MainWindowTest, UptimeWrapsWithTheSystemCount) {
  system.setUptime(4294967295u - 50);  // 2^32 - 1 - 50
  start();
  ui.advance(100);
  EXPECT_EQ(text(kUptimeMillisecondsLabel), "49");
  EXPECT_EQ(text(kUptimeText), "系统已经运行：0时0分0秒");
}

TEST_F(MainWindowTest, MinimisingHidesToTheTrayAndLeftClicksToggle) {
  start();
  ui.minimise(*main);
  EXPECT_FALSE(main->visible());
  EXPECT_TRUE(ui.tray(*main).present);
  ui.trayEvent(*main, ui::tray::kLeftButtonUp);
  EXPECT_TRUE(main->visible());
  EXPECT_FALSE(main->minimised());
  ui.trayEvent(*main, ui::tray::kLeftButtonUp);
  EXPECT_FALSE(main->visible());
  ui.trayEvent(*main, ui::tray::kLeftDoubleClick);  // no action of its own
  EXPECT_FALSE(main->visible());
  ui.advance(5000);  // the clocks run on while hidden
  EXPECT_EQ(text(kClockTextBox), "9时0分5秒");
}

TEST_F(MainWindowTest, RightClickPopsUpTheOptionsMenuWhoseItemsWorkAsInTheMenuBar) {
  start();
  ui.popupResponder = [](std::string_view) { return std::string("退出程序"); };
  ui.trayEvent(*main, ui::tray::kRightButtonUp);
  EXPECT_EQ(ui.popups, std::vector<std::string>{"选项"});
  EXPECT_TRUE(ui.ended());
  EXPECT_EQ(ui.messages.back().text, "感谢使用本程序，欢迎下次继续使用！");
}

// Every way to quit, idle and while a schedule runs, with both answers.
struct QuitCase {
  const char* name;
  enum Path { CloseBox, QuitButton, QuitItem, TrayMenu } path;
  bool running;
  MessageResult answer;  // to the question, when asked
  bool asked, ended, farewell;
};

class QuitPaths : public AppFixture, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(QuitPaths, AskOnlyWhileRunningAndEndAsAnswered) {
  const QuitCase& q = GetParam();
  start();
  if (q.running) click(kStartButton);  // a shutdown at 0:00:00, far away
  const std::size_t before = ui.messages.size();
  answerNextQuestion(q.answer);
  switch (q.path) {
    case QuitCase::CloseBox: ui.pressCloseBox(*main); break;
    case QuitCase::QuitButton: click(kQuitButton); break;
    case QuitCase::QuitItem: menu(kQuitItem); break;
    case QuitCase::TrayMenu:
      ui.popupResponder = [](std::string_view) { return std::string("退出程序"); };
      ui.trayEvent(*main, ui::tray::kRightButtonUp);
      break;
  }
  const std::vector<std::string> all = messageTexts();
  const std::vector<std::string> shown(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  std::vector<std::string> expected;
  if (q.asked) expected.push_back("程序正在计时，您确定退出？");
  if (q.farewell) expected.push_back("感谢使用本程序，欢迎下次继续使用！");
  EXPECT_EQ(shown, expected);
  if (q.asked) {
    EXPECT_EQ(ui.messages[before].style, 4);
  }
  EXPECT_EQ(ui.ended(), q.ended);
  EXPECT_EQ(ui.tray(*main).present, !q.ended);
  if (!q.ended) {
    EXPECT_FALSE(enabled(kStartButton));  // the schedule keeps running
    EXPECT_EQ(period("时钟4"), 1000);
  }
  EXPECT_TRUE(system.requests("ShutDownSystem").empty());
}

INSTANTIATE_TEST_SUITE_P(
    AllPaths, QuitPaths,
    ::testing::Values(
        QuitCase{"CloseIdle", QuitCase::CloseBox, false, MessageResult::Ok, false, true, true},
        QuitCase{"CloseRunningYes", QuitCase::CloseBox, true, MessageResult::Yes, true, true, false},
        QuitCase{"CloseRunningNo", QuitCase::CloseBox, true, MessageResult::No, true, false, false},
        QuitCase{"ButtonIdle", QuitCase::QuitButton, false, MessageResult::Ok, false, true, true},
        QuitCase{"ButtonRunningYes", QuitCase::QuitButton, true, MessageResult::Yes, true, true, true},
        QuitCase{"ButtonRunningNo", QuitCase::QuitButton, true, MessageResult::No, true, false, false},
        QuitCase{"ItemIdle", QuitCase::QuitItem, false, MessageResult::Ok, false, true, true},
        QuitCase{"ItemRunningYes", QuitCase::QuitItem, true, MessageResult::Yes, true, true, true},
        QuitCase{"TrayRunningNo", QuitCase::TrayMenu, true, MessageResult::No, true, false, false},
        QuitCase{"TrayIdle", QuitCase::TrayMenu, false, MessageResult::Ok, false, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, QuitQuestionAnsweredNoLeavesTheScheduleFiringOnTime) {
  start();
  pick(kClockSecondList, "5");
  pick(kClockHourList, "9");
  click(kStartButton);  // a shutdown at 9:00:05
  // The question stays open for three seconds, then the answer is No.
  answerNextQuestion(MessageResult::No, 3000);
  click(kQuitButton);
  EXPECT_FALSE(ui.ended());
  ui.advance(2000);
  EXPECT_TRUE(ui.ended());
  EXPECT_EQ(system.requests("ShutDownSystem"), std::vector<std::string>{"ShutDownSystem 1 0"});
}

TEST_F(MainWindowTest, TheWatcherCanFireWhileTheQuitQuestionIsOpen) {
  start();
  pick(kClockHourList, "9");
  pick(kClockSecondList, "2");
  click(kStartButton);
  answerNextQuestion(MessageResult::No, 5000);
  ui.pressCloseBox(*main);
  EXPECT_TRUE(ui.ended());
  EXPECT_EQ(system.requests("ShutDownSystem"), std::vector<std::string>{"ShutDownSystem 1 0"});
}

TEST_F(MainWindowTest, ImmediatePowerItemsAskAtOnceAndTheProgramRunsOn) {
  start();
  system.acceptPowerRequests = false;  // a refusal changes nothing and shows nothing
  for (auto item : {kShutDownNowItem, kRestartNowItem, kSuspendNowItem, kLogOffNowItem}) menu(item);
  EXPECT_EQ(system.journal, (std::vector<std::string>{"ShutDownSystem 1 0", "ShutDownSystem 2 0",
                                                      "ShutDownSystem 4 0", "ShutDownSystem 3 0"}));
  EXPECT_FALSE(ui.ended());
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(enabled(kStartButton));
}

TEST_F(MainWindowTest, AboutAndToolsOpenNothingYet) {
  start();
  click(kAboutButton);
  menu(kAboutItem);
  for (auto item : {"时间校准", "电子日历", "秒表计时", "黑色炫酷", "关"}) menu(item);
  EXPECT_EQ(ui.openWindows().size(), 1u);
  EXPECT_TRUE(main->enabled());
}

}  // namespace
}  // namespace apptest
