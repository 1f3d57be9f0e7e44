// The toolkit contract, run against each backend.
#include <gtest/gtest.h>

#include <vector>

#include "tests/contract/ContractDriver.h"

namespace {

using ui::ControlKind;
using ui::Window;
using ui::WindowDesign;

// A window design with one control of each kind the contract speaks about.
const WindowDesign& TestDesign() {
  static const WindowDesign design{
      .caption = "Contract",
      .width = 300,
      .height = 260,
      .left = 40,
      .top = 40,
      .minimiseBox = true,
      .menus = {{.text = "菜单", .items = {{.text = "一项"}, {.text = "二项", .checked = true}}}},
      .controls = {
          {.name = "按钮1", .kind = ControlKind::Button, .x = 8, .y = 8, .width = 80, .height = 24, .text = "按钮"},
          {.name = "编辑框1", .kind = ControlKind::EditBox, .x = 8, .y = 40, .width = 120, .height = 20},
          {.name = "编辑框2", .kind = ControlKind::EditBox, .x = 136, .y = 40, .width = 120, .height = 60, .multiLine = true},
          {.name = "组合框1", .kind = ControlKind::DropDownList, .x = 8, .y = 108, .width = 60, .height = 20,
           .items = {"0", "1", "2", "3"}, .selected = 0},
          {.name = "选择框1", .kind = ControlKind::CheckBox, .x = 8, .y = 136, .width = 80, .height = 24, .text = "选择"},
          {.name = "分组框1", .kind = ControlKind::GroupBox, .x = 100, .y = 130, .width = 180, .height = 60, .text = "组"},
          {.name = "单选框1", .kind = ControlKind::RadioButton, .holder = "分组框1", .x = 8, .y = 20, .width = 50, .height = 24, .text = "甲", .checked = true},
          {.name = "单选框2", .kind = ControlKind::RadioButton, .holder = "分组框1", .x = 60, .y = 20, .width = 50, .height = 24, .text = "乙"},
          {.name = "单选框3", .kind = ControlKind::RadioButton, .holder = "分组框1", .x = 112, .y = 20, .width = 50, .height = 24, .text = "丙"},
          {.name = "透明标签1", .kind = ControlKind::TransparentLabel, .x = 8, .y = 200, .width = 200, .height = 16, .text = "透明的标签"},
          {.name = "时钟2", .kind = ControlKind::Timer},  // rows order ties: 时钟2 before 时钟1
          {.name = "时钟1", .kind = ControlKind::Timer},
      }};
  return design;
}

// Window logic whose handlers a test fills in.
struct Probe : ui::WindowHandlers {
  std::function<void()> onCreated, onFirstActivated, onDestroying;
  int firstActivations = 0;
  int destroyings = 0;
  void created() override { if (onCreated) onCreated(); }
  void firstActivated() override {
    ++firstActivations;
    if (onFirstActivated) onFirstActivated();
  }
  bool canClose() override { return true; }
  void destroying() override {
    ++destroyings;
    if (onDestroying) onDestroying();
  }
};

class ToolkitContract : public ::testing::Test {
 protected:
  void SetUp() override { driver = contract::MakeDriver(); }
  void TearDown() override {
    for (Window* w : opened)
      if (driver->toolkit().findWindow(w->design()) == w) w->close();
    driver->wait(0);
  }
  Window& open(Probe** probeOut = nullptr) {
    Probe* probe = nullptr;
    Window* w = driver->toolkit().openWindow(TestDesign(), [&](Window&) {
      auto p = std::make_unique<Probe>();
      probe = p.get();
      return p;
    });
    EXPECT_NE(w, nullptr);
    opened.push_back(w);
    if (probeOut) *probeOut = probe;
    return *w;
  }
  std::unique_ptr<contract::Driver> driver;
  std::vector<Window*> opened;
};

TEST_F(ToolkitContract, ProgramWriteOfAnEditBoxRunsItsChangeHandlerOnceWithTheNewText) {
  Window& w = open();
  for (const char* name : {"编辑框1", "编辑框2"}) {
    ui::Control& edit = w.control(name);
    std::vector<std::string> seen;
    edit.onChange([&] { seen.push_back(edit.text()); });
    edit.setText("第一\r\n行");
    edit.setText("第一\r\n行");  // the same text again still counts as a write
    edit.setText("");
    EXPECT_EQ(seen, (std::vector<std::string>{"第一\r\n行", "第一\r\n行", ""})) << name;
  }
}

TEST_F(ToolkitContract, ProgramSelectionRunsNoHandlerButAUserPickDoes) {
  Window& w = open();
  ui::Control& list = w.control("组合框1");
  int picks = 0;
  list.onSelect([&] { ++picks; });
  EXPECT_EQ(list.text(), "0");
  list.select(3);
  EXPECT_EQ(picks, 0);
  EXPECT_EQ(list.selectedIndex(), 3);
  EXPECT_EQ(list.text(), "3");
  driver->pick(w, "组合框1", 2);
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(list.text(), "2");
}

TEST_F(ToolkitContract, ClicksToggleCheckBoxesAndSelectOneRadioButtonOfAHolder) {
  Window& w = open();
  bool tickedInHandler = false;
  w.control("选择框1").onClick([&] { tickedInHandler = w.control("选择框1").checked(); });
  driver->click(w, "选择框1");
  EXPECT_TRUE(tickedInHandler);
  driver->click(w, "选择框1");
  EXPECT_FALSE(w.control("选择框1").checked());

  int radioClicks = 0;
  w.control("单选框2").onClick([&] { ++radioClicks; });
  driver->click(w, "单选框2");
  EXPECT_EQ(radioClicks, 1);
  EXPECT_FALSE(w.control("单选框1").checked());
  EXPECT_TRUE(w.control("单选框2").checked());
  w.control("单选框3").setChecked(true);
  EXPECT_FALSE(w.control("单选框2").checked());
  EXPECT_TRUE(w.control("单选框3").checked());
}

TEST_F(ToolkitContract, CloseIsQueuedUntilTheHandlerHasReturned) {
  Probe* probe = nullptr;
  Window& w = open(&probe);
  int destroyingsSeenInHandler = -1;
  w.control("按钮1").onClick([&] {
    w.close();
    w.close();  // a second request changes nothing
    destroyingsSeenInHandler = probe->destroyings;
  });
  driver->click(w, "按钮1");
  driver->wait(50);
  EXPECT_EQ(destroyingsSeenInHandler, 0);
  EXPECT_EQ(probe->destroyings, 1);
  EXPECT_EQ(driver->toolkit().findWindow(TestDesign()), nullptr);
  opened.clear();
}

TEST_F(ToolkitContract, OpeningAnOpenWindowMakesNoSecondCopy) {
  int made = 0;
  auto make = [&](Window&) {
    ++made;
    return std::make_unique<Probe>();
  };
  Window* first = driver->toolkit().openWindow(TestDesign(), make);
  opened.push_back(first);
  Window* again = driver->toolkit().openWindow(TestDesign(), make);
  EXPECT_EQ(first, again);
  EXPECT_EQ(made, 1);

  // With its close still queued, the old copy goes first and a new one comes.
  first->close();
  Window* fresh = driver->toolkit().openWindow(TestDesign(), make);
  EXPECT_EQ(made, 2);
  ASSERT_NE(fresh, nullptr);
  EXPECT_FALSE(fresh->closing());
  EXPECT_EQ(driver->toolkit().findWindow(TestDesign()), fresh);
  opened = {fresh};
}

TEST_F(ToolkitContract, FirstActivationComesAfterTheOpeningHandlerHasReturned) {
  Probe* probe = nullptr;
  open(&probe);
  EXPECT_EQ(probe->firstActivations, 0);
  driver->wait(100);
  EXPECT_EQ(probe->firstActivations, 1);
  driver->wait(100);
  EXPECT_EQ(probe->firstActivations, 1);
}

TEST_F(ToolkitContract, TimersTickAtStartPlusMultiplesOfThePeriod) {
  Window& w = open();
  ui::Control& timer = w.control("时钟1");
  std::vector<std::int64_t> ticks;
  timer.onTick([&] { ticks.push_back(driver->now()); });
  const std::int64_t start = driver->now();
  timer.setPeriod(100);
  driver->wait(40);
  timer.setPeriod(100);  // the same period changes nothing
  driver->wait(1000);
  timer.setPeriod(0);
  driver->wait(300);
  ASSERT_GE(ticks.size(), 9u);
  ASSERT_LE(ticks.size(), 10u);
  for (std::size_t k = 0; k < ticks.size(); ++k) {
    const std::int64_t due = start + 100 * static_cast<std::int64_t>(k + 1);
    EXPECT_GE(ticks[k], due - 1) << "tick " << k;
    EXPECT_LE(ticks[k], due + driver->slackMs()) << "tick " << k;  // no drift builds up
  }
}

TEST_F(ToolkitContract, ANewPeriodRestartsTheCount) {
  Window& w = open();
  ui::Control& timer = w.control("时钟1");
  std::vector<std::int64_t> ticks;
  timer.onTick([&] { ticks.push_back(driver->now()); });
  timer.setPeriod(300);
  driver->wait(200);
  const std::int64_t restart = driver->now();
  timer.setPeriod(250);
  driver->wait(400);
  timer.setPeriod(0);
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_GE(ticks[0], restart + 250 - 1);
  EXPECT_LE(ticks[0], restart + 250 + driver->slackMs());
}

TEST_F(ToolkitContract, TicksDueTogetherComeInDesignOrder) {
  Window& w = open();
  std::string order;
  w.control("时钟1").onTick([&] { order += "1"; });
  w.control("时钟2").onTick([&] { order += "2"; });
  w.control("按钮1").onClick([&] {
    w.control("时钟1").setPeriod(200);  // started first, but its row comes later
    w.control("时钟2").setPeriod(200);
  });
  driver->click(w, "按钮1");
  driver->wait(500);
  w.control("时钟1").setPeriod(0);
  w.control("时钟2").setPeriod(0);
  EXPECT_EQ(order, "2121");
}

TEST_F(ToolkitContract, MessageBoxesKeepTimersTicking) {
  Window& w = open();
  int ticks = 0;
  w.control("时钟1").onTick([&] { ++ticks; });
  ui::MessageResult answer = ui::MessageResult::Ok;
  w.control("按钮1").onClick([&] {
    w.control("时钟1").setPeriod(50);
    answer = driver->toolkit().showMessage("问题？", ui::style::kYesNo, "Contract");
    w.control("时钟1").setPeriod(0);
  });
  driver->answerNextMessage(ui::MessageResult::No, 400);
  driver->click(w, "按钮1");
  EXPECT_EQ(answer, ui::MessageResult::No);
  EXPECT_GE(ticks, 4);
}

TEST_F(ToolkitContract, APopupItemRunsItsHandlerAfterThePopupReturned) {
  Window& w = open();
  std::string events;
  w.menuItem("一项").onClick([&] { events += "item;"; });
  w.setTrayIcon("tip");
  w.control("按钮1").onClick([&] {
    w.popupTrayMenu("菜单");
    events += "returned;";
  });
  driver->chooseInNextPopup("一项", 100);
  driver->click(w, "按钮1");
  driver->wait(100);
  EXPECT_EQ(events, "returned;item;");
  EXPECT_TRUE(w.menuItem("二项").checked());
  w.menuItem("二项").setChecked(false);
  EXPECT_FALSE(w.menuItem("二项").checked());
  w.removeTrayIcon();
}

TEST_F(ToolkitContract, ControlStateReadsBackAsWritten) {
  Window& w = open();
  ui::Control& label = w.control("透明标签1");
  EXPECT_EQ(label.text(), "透明的标签");
  label.setText("新的文字");
  EXPECT_EQ(label.text(), "新的文字");
  label.hide();
  EXPECT_FALSE(label.visible());
  label.show();
  EXPECT_TRUE(label.visible());
  ui::Control& button = w.control("按钮1");
  button.disable();
  EXPECT_FALSE(button.enabled());
  button.enable();
  EXPECT_TRUE(button.enabled());
  w.control("分组框1").setText("定时功能");
  EXPECT_EQ(w.control("分组框1").text(), "定时功能");
  w.move(123, 77);
  EXPECT_EQ(w.left(), 123);
  EXPECT_EQ(w.top(), 77);
  w.disable();
  EXPECT_FALSE(w.enabled());
  w.enable();
  EXPECT_TRUE(w.enabled());
  EXPECT_THROW(w.control("没有这个"), std::out_of_range);
}

}  // namespace
