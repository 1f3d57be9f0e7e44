// End-to-end scenarios on the real program (the journal build, whose power
// requests go to journal.log), driven through window messages.
//
// Environment, set by scripts/test-e2e.sh:
//   VAELTO_E2E_EXE     the journal build's vaelto.exe
//   VAELTO_E2E_WORK    a folder for the runs and the screenshots
//   VAELTO_E2E_MP3     a test MP3 (a steady tone)
//   VAELTO_E2E_EVENTS  a file to which the alarm scenario writes the moments
//                      (Unix ms) the sound checker needs
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/MainWindowDesign.h"
#include "app/ReminderWindows.h"
#include "tests/e2e/Remote.h"
#include "ui/win32/WideText.h"

namespace {

using namespace app::mainwin;
using e2e::RemoteWindow;

std::wstring Environment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? value : L"";
}

std::int64_t UnixMilliseconds() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const std::int64_t ticks = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return ticks / 10000 - 11644473600000LL;
}

class E2e : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring exe = Environment(L"VAELTO_E2E_EXE");
    work = Environment(L"VAELTO_E2E_WORK");
    ASSERT_FALSE(exe.empty()) << "VAELTO_E2E_EXE is not set";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    run = std::make_unique<e2e::ProgramRun>(exe, work + L"\\" + ui::win32::Widen(info->name()));
    ASSERT_TRUE(run->started());
    HWND hwnd = run->waitForWindow("Vaelto", 20000);
    ASSERT_NE(hwnd, nullptr) << "MainWindow did not appear";
    main = std::make_unique<RemoteWindow>(hwnd, app::MainWindowDesign());
    const auto greeting = e2e::WaitForMessageBox(run->processId(), 10000);
    ASSERT_TRUE(greeting.has_value()) << "no greeting";
    EXPECT_EQ(greeting->text, "欢迎使用 Vaelto ！");
    EXPECT_EQ(greeting->title, "Vaelto");
    e2e::Answer(*greeting, IDOK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(greeting->window); }, 5000));
  }

  void screenshot(const wchar_t* name) {
    Sleep(500);  // let the windows paint what the last handler changed
    e2e::SaveScreenshot(work + L"\\" + name + L".bmp");
  }

  // Switches to countdown mode and waits for its controls, whose windows are
  // made when their group first comes into sight.
  void showCountdownGroup() {
    main->click(kCountdownModeBox);
    ASSERT_TRUE(e2e::WaitUntil([&] { return main->exists(kCountdownStatus); }, 5000));
  }

  bool waitForText(std::string_view control, const std::string& text, int timeoutMs = 5000) {
    return e2e::WaitUntil([&] { return main->text(control) == text; }, timeoutMs);
  }

  std::wstring work;
  std::unique_ptr<e2e::ProgramRun> run;
  std::unique_ptr<RemoteWindow> main;
};

TEST_F(E2e, StartUpTextsAreReadFromTheRealControls) {
  EXPECT_EQ(main->caption(), "Vaelto");
  EXPECT_EQ(main->text(kClockPreview), "0时0分0秒");
  EXPECT_EQ(main->text(kClockStatus), "欢迎使用本程序，定时功能未启动！");
  EXPECT_EQ(main->text(kActionList), "关机");
  EXPECT_EQ(main->text(kStartButton), "开启");
  EXPECT_EQ(main->text("透明标签1"), "现在时间：");
  EXPECT_TRUE(main->checked(kClockModeBox));
  EXPECT_FALSE(main->enabled(kCancelButton));
  EXPECT_FALSE(main->visible(kCountdownGroup));
  EXPECT_FALSE(main->visible(kCloseAlarmButton));
  EXPECT_EQ(main->text(kUptimeText).rfind("系统已经运行：", 0), 0u);
  EXPECT_NE(main->text(kDateTimeLabel).find("年"), std::string::npos);
  screenshot(L"main-window");
}

TEST_F(E2e, TheStateBeyondTheWindowsEdgeHasNoWindowsAndTheCountdownGroupComesWhenShown) {
  // Never seen: kept in memory alone.
  EXPECT_THROW(main->control(kClockTextBox), std::runtime_error);
  EXPECT_THROW(main->control(kHiddenState), std::runtime_error);
  EXPECT_FALSE(main->exists(kCountdownPreview));
  showCountdownGroup();
  // Made when its group came into sight, with the texts written before.
  EXPECT_EQ(main->text(kCountdownPreview), "0时0分59秒");
  EXPECT_EQ(main->text(kTimeLeftLabel), "0时0分59秒");
  EXPECT_EQ(main->text(kCountdownSecondList), "59");
  EXPECT_EQ(main->text(kCountdownStatus), "欢迎使用本程序，倒计时功能未启动！");
  screenshot(L"countdown-mode");
}

TEST_F(E2e, ShutDownNowIsJournaledAndTheProgramRunsOn) {
  main->menuCommand(kShutDownNowItem);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !run->journal().empty(); }, 5000));
  EXPECT_EQ(run->journal(), std::vector<std::string>{"ShutDownSystem 1 0"});
  Sleep(500);
  EXPECT_TRUE(run->running());
  EXPECT_TRUE(main->windowVisible());
}

TEST_F(E2e, MinimisingHidesTheWindow) {
  main->minimise();
  EXPECT_TRUE(e2e::WaitUntil([&] { return !main->windowVisible(); }, 5000));
  EXPECT_TRUE(run->running());
}

TEST_F(E2e, QuitShowsTheFarewellAndEndsWithCodeZero) {
  main->click(kQuitButton);
  const auto farewell = e2e::WaitForMessageBox(run->processId(), 5000);
  ASSERT_TRUE(farewell.has_value());
  EXPECT_EQ(farewell->text, "感谢使用本程序，欢迎下次继续使用！");
  screenshot(L"farewell");
  e2e::Answer(*farewell, IDOK);
  DWORD code = 1;
  ASSERT_TRUE(run->waitForExit(5000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(run->journal().empty());
}

TEST_F(E2e, AThreeSecondShutdownCountdownEndsTheProgram) {
  showCountdownGroup();
  main->pick(kCountdownSecondList, 3);
  main->click(kStartButton);
  ASSERT_TRUE(waitForText(kCountdownStatus, "倒计时关机已经运行！"));
  Sleep(1300);
  screenshot(L"countdown-running");
  DWORD code = 1;
  ASSERT_TRUE(run->waitForExit(8000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(run->journal(), std::vector<std::string>{"ShutDownSystem 1 0"});
}

TEST_F(E2e, AClockTimeSuspendAFewSecondsAheadReturnsToIdle) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  // Six seconds ahead, on the clock's own second: time enough to set it up
  // on a slow machine.
  const int target = (now.wHour * 3600 + now.wMinute * 60 + now.wSecond + 6) % 86400;
  main->pick(kClockHourList, target / 3600);
  main->pick(kClockMinuteList, target / 60 % 60);
  main->pick(kClockSecondList, target % 60);
  main->pick(kActionList, 3);  // 休眠
  ASSERT_TRUE(waitForText(kActionList, "休眠"));
  main->click(kStartButton);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !main->enabled(kStartButton); }, 3000));
  EXPECT_EQ(main->text(kClockStatus).rfind("定时休眠已启动，休眠时间：", 0), 0u);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !run->journal().empty(); }, 12000));
  EXPECT_EQ(run->journal(), std::vector<std::string>{"ShutDownSystem 4 0"});
  EXPECT_TRUE(waitForText(kClockStatus, "欢迎使用本程序，定时功能未启动！"));
  EXPECT_TRUE(main->enabled(kStartButton));
  EXPECT_FALSE(main->enabled(kCancelButton));
  EXPECT_TRUE(run->running());
}

TEST_F(E2e, AReminderCountdownShowsItsTextWithItsLineBreaks) {
  showCountdownGroup();
  main->pick(kActionList, 4);  // 提示
  HWND settingsWindow = run->waitForWindow("提示设置", 5000);
  ASSERT_NE(settingsWindow, nullptr);
  RemoteWindow settings(settingsWindow, app::PromptSettingsWindowDesign());
  EXPECT_TRUE(e2e::WaitUntil([&] { return !main->windowEnabled(); }, 3000));
  settings.type("编辑框1", "第一行\r\n第二行");
  screenshot(L"prompt-settings");
  settings.click("按钮1");
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(settingsWindow); }, 5000));
  EXPECT_TRUE(main->windowEnabled());
  main->pick(kCountdownSecondList, 2);
  main->click(kStartButton);
  HWND promptWindow = run->waitForWindow("Vaelto (提示框)", 8000);
  ASSERT_NE(promptWindow, nullptr) << main->text(kCountdownStatus) << " / " << main->text(kReminderTextBox)
                                   << " / " << main->text(kRemainingMilliseconds);
  RemoteWindow prompt(promptWindow, app::PromptWindowDesign());
  EXPECT_EQ(prompt.text("编辑框1"), "第一行\r\n第二行");
  EXPECT_FALSE(main->windowEnabled());
  EXPECT_NE(GetWindowLongW(promptWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  screenshot(L"prompt");
  prompt.click("按钮1");
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(promptWindow); }, 5000));
  EXPECT_TRUE(e2e::WaitUntil([&] { return main->windowEnabled(); }, 3000));
}

TEST_F(E2e, AnAlarmCountdownRingsUntilCloseAlarm) {
  const std::wstring mp3 = Environment(L"VAELTO_E2E_MP3");
  ASSERT_FALSE(mp3.empty()) << "VAELTO_E2E_MP3 is not set";
  std::ofstream events(std::filesystem::path(Environment(L"VAELTO_E2E_EVENTS")));
  showCountdownGroup();
  main->pick(kActionList, 5);  // 闹钟
  ASSERT_TRUE(e2e::WaitUntil([&] { return main->enabled(kChooseRingtoneButton); }, 3000));
  main->click(kChooseRingtoneButton);
  ASSERT_TRUE(e2e::ChooseFileInDialog(run->processId(), "请选择铃声", mp3, 10000));
  main->pick(kCountdownSecondList, 2);
  main->click(kStartButton);
  ASSERT_TRUE(e2e::WaitUntil([&] { return main->visible(kCloseAlarmButton); }, 8000));
  events << "ringing " << UnixMilliseconds() << "\n";
  EXPECT_TRUE(waitForText(kCountdownStatus, "闹钟已经开始，点击关闭闹钟即可！"));
  screenshot(L"alarm-ringing");
  Sleep(2000);
  events << "closing " << UnixMilliseconds() << "\n";
  main->click(kCloseAlarmButton);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !main->visible(kCloseAlarmButton); }, 3000));
  events << "closed " << UnixMilliseconds() << "\n";
  EXPECT_TRUE(waitForText(kCountdownStatus, "欢迎使用本程序，倒计时功能未启动！"));
  Sleep(2000);
  events << "end " << UnixMilliseconds() << "\n";
}

}  // namespace
