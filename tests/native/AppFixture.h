// The program on the headless toolkit with the recording fakes, in virtual
// time. At virtual time 0 the local clock reads 2026-12-11 09:00:00.000.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/MainWindowDesign.h"
#include "app/ReminderWindows.h"
#include "core/DateTime.h"
#include "platform/fake/FakeServices.h"
#include "ui/headless/HeadlessToolkit.h"

namespace apptest {

inline const std::string kIdleTip = "Vaelto" + std::string(app::kCreditSuffix);

class AppFixture : public ::testing::Test {
 protected:
  ui::headless::VirtualClock clock;
  ui::headless::HeadlessToolkit ui{clock};
  platform::fake::FakeSystem system{clock};
  app::AppContext context{ui, system.services()};
  ui::Window* main = nullptr;

  // Starts the program and lets the greeting be answered.
  void start() {
    main = app::OpenMainWindow(context);
    ASSERT_NE(main, nullptr);
    ui.run(*main);
    ui.settle();
  }

  ui::Control& c(std::string_view name) { return main->control(name); }
  std::string text(std::string_view name) { return c(name).text(); }
  bool enabled(std::string_view name) { return c(name).enabled(); }
  bool visible(std::string_view name) { return c(name).visible(); }
  int period(std::string_view name) { return c(name).period(); }
  std::string tip() { return ui.tray(*main).tip; }

  void click(std::string_view name) { ui.click(*main, name); }
  void pick(std::string_view list, std::string_view item) { ui.pick(*main, list, item); }
  void menu(std::string_view item) { ui.chooseMenuItem(*main, item); }

  ui::Window* openWindow(const ui::WindowDesign& design) { return ui.findWindow(design); }

  // Picks 提示 and enters a text in PromptSettingsWindow.
  void pickReminder(const std::string& text) {
    pick(app::mainwin::kActionList, "提示");
    ui::Window* settings = openWindow(app::PromptSettingsWindowDesign());
    ASSERT_NE(settings, nullptr);
    ui.type(*settings, "编辑框1", text);
    ui.click(*settings, "按钮1");
  }

  // Picks 闹钟 and chooses a ringtone through the open-file dialog.
  void pickAlarm(const std::string& path = "C:\\铃声\\ring.mp3") {
    pick(app::mainwin::kActionList, "闹钟");
    ui.fileResponder = [path](const ui::headless::FileDialogRecord&) { return path; };
    click(app::mainwin::kChooseRingtoneButton);
    ui.fileResponder = nullptr;
  }

  // Answers the next question box with `answer`, after letting `waitMs` pass.
  void answerNextQuestion(ui::MessageResult answer, int waitMs = 0) {
    ui.messageResponder = [this, answer, waitMs](const ui::headless::MessageRecord& m) {
      if ((m.style & 15) == 0) return ui::MessageResult::Ok;
      ui.messageResponder = nullptr;
      ui.advance(waitMs);
      return answer;
    };
  }

  std::vector<std::string> messageTexts() {
    std::vector<std::string> texts;
    for (const auto& m : ui.messages) texts.push_back(m.text);
    return texts;
  }
};

}  // namespace apptest
