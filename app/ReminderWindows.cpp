#include "app/ReminderWindows.h"

#include <cmath>

#include "app/MainWindowDesign.h"

namespace app {

namespace {

using K = ui::ControlKind;

// Design names of the reminder windows' controls.
constexpr std::string_view kSettingsTextBox = "编辑框1";
constexpr std::string_view kSettingsOkButton = "按钮1";
constexpr std::string_view kSettingsCancelButton = "按钮2";
constexpr std::string_view kPromptTextBox = "编辑框1";
constexpr std::string_view kPromptOkButton = "按钮1";

ui::WindowDesign MakePromptSettingsDesign() {
  return ui::WindowDesign{
      .caption = "提示设置",
      .width = 343,
      .height = 257,
      .controls = {
          {.name = "透明标签1", .kind = K::TransparentLabel, .x = 8, .y = 0, .width = 176, .height = 32,
           .text = "请在下面输入提示内容："},
          {.name = std::string(kSettingsTextBox), .kind = K::EditBox, .x = 8, .y = 24, .width = 320,
           .height = 160, .multiLine = true},
          {.name = std::string(kSettingsOkButton), .kind = K::Button, .x = 8, .y = 192, .width = 112,
           .height = 24, .text = "确定", .handCursor = true},
          {.name = std::string(kSettingsCancelButton), .kind = K::Button, .x = 216, .y = 192,
           .width = 112, .height = 24, .text = "取消", .handCursor = true},
      }};
}

ui::WindowDesign MakePromptDesign() {
  return ui::WindowDesign{
      .caption = "Vaelto (提示框)",
      .width = 367,
      .height = 281,
      .centred = true,
      .topMost = true,
      .controls = {
          {.name = "分组框1", .kind = K::GroupBox, .x = 8, .y = 8, .width = 344, .height = 200,
           .text = "提示内容"},
          {.name = std::string(kPromptTextBox), .kind = K::EditBox, .holder = "分组框1", .x = 8, .y = 16,
           .width = 328, .height = 176, .multiLine = true},
          {.name = "透明标签1", .kind = K::TransparentLabel, .x = 0, .y = 224, .width = 208, .height = 24,
           .text = "请注意保护视力,玩电脑时间应适当!"},
          {.name = std::string(kPromptOkButton), .kind = K::Button, .x = 232, .y = 216, .width = 120,
           .height = 24, .text = "确定", .handCursor = true},
      }};
}

// Both windows give MainWindow back when they go, whatever closes them.
class ReminderWindowBase : public ui::WindowHandlers {
 public:
  ReminderWindowBase(ui::Window& window, ui::Window& mainWindow)
      : window_(window), main_(mainWindow) {}
  void destroying() override {
    main_.enable();
    main_.focus();
  }

 protected:
  void closeAndEnableMain() {
    window_.close();
    main_.enable();
  }
  ui::Window& window_;
  ui::Window& main_;
};

class PromptSettingsWindow : public ReminderWindowBase {
 public:
  using ReminderWindowBase::ReminderWindowBase;

  void created() override {
    // Beside MainWindow: 32 pixels to the left, and the whole part of
    // MainWindow's top + 48.5 (toward zero) for its top.
    window_.move(main_.left() - 32, static_cast<int>(std::trunc(main_.top() + 48.5)));
    window_.control(kSettingsOkButton).onClick([this] { confirm(); });
    window_.control(kSettingsCancelButton).onClick([this] { closeAndEnableMain(); });
  }

 private:
  void confirm() {
    const std::string text = window_.control(kSettingsTextBox).text();
    if (text.empty()) {
      closeAndEnableMain();
      return;
    }
    main_.control(mainwin::kReminderTextBox).setText(text);
    closeAndEnableMain();
    main_.control(mainwin::kStartButton).enable();
  }
};

class PromptWindow : public ReminderWindowBase {
 public:
  using ReminderWindowBase::ReminderWindowBase;
  void created() override {
    window_.control(kPromptOkButton).onClick([this] { closeAndEnableMain(); });
  }
};

}  // namespace

const ui::WindowDesign& PromptSettingsWindowDesign() {
  static const ui::WindowDesign design = MakePromptSettingsDesign();
  return design;
}

const ui::WindowDesign& PromptWindowDesign() {
  static const ui::WindowDesign design = MakePromptDesign();
  return design;
}

void AskForReminderText(AppContext& app, ui::Window& mainWindow) {
  app.ui.openWindow(PromptSettingsWindowDesign(), [&mainWindow](ui::Window& w) {
    return std::make_unique<PromptSettingsWindow>(w, mainWindow);
  });
  mainWindow.disable();
}

void ShowReminder(AppContext& app, ui::Window& mainWindow, const std::string& text) {
  ui::Window* prompt = app.ui.openWindow(PromptWindowDesign(), [&mainWindow](ui::Window& w) {
    return std::make_unique<PromptWindow>(w, mainWindow);
  });
  mainWindow.disable();
  if (prompt != nullptr) prompt->control(kPromptTextBox).setText(text);
}

}  // namespace app
