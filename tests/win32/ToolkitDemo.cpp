// A window with one control of each kind, to look at under Wine:
//   toolkit_demo.exe [--quit-after MS] [--drop]
// (--drop opens the drop-down list, to see how far it reaches).
// It also measures how late its 100 ms timer ticks come and prints the
// figures when it ends.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/win32/Win32Toolkit.h"

namespace {

using ui::ControlKind;

const ui::WindowDesign& DemoDesign() {
  static const ui::WindowDesign design{
      .caption = "工具箱演示 Vaelto",
      .width = 480,
      .height = 400,
      .minimiseBox = true,
      .centred = true,
      .menus = {{.text = "选项", .items = {{.text = "关于程序"}, {.text = "退出程序", .checked = true}}}},
      .controls = {
          {.name = "选择框1", .kind = ControlKind::CheckBox, .x = 8, .y = 0, .width = 80, .height = 24, .text = "定时设定", .checked = true, .handCursor = true},
          {.name = "选择框2", .kind = ControlKind::CheckBox, .x = 88, .y = 0, .width = 88, .height = 24, .text = "倒计时设定", .handCursor = true},
          {.name = "分组框1", .kind = ControlKind::GroupBox, .x = 8, .y = 32, .width = 256, .height = 136, .text = "定时设定"},
          {.name = "透明标签1", .kind = ControlKind::TransparentLabel, .holder = "分组框1", .x = 16, .y = 16, .width = 64, .height = 24, .text = "现在时间："},
          {.name = "透明标签7", .kind = ControlKind::TransparentLabel, .holder = "分组框1", .x = 80, .y = 16, .width = 176, .height = 24, .text = "时间显示标签"},
          {.name = "组合框1", .kind = ControlKind::DropDownList, .holder = "分组框1", .x = 80, .y = 48, .width = 40, .height = 20, .handCursor = true, .items = ui::NumberItems(0, 23), .selected = 0},
          {.name = "透明标签4", .kind = ControlKind::TransparentLabel, .holder = "分组框1", .x = 120, .y = 48, .width = 24, .height = 24, .text = "时", .handCursor = true},
          {.name = "单选框1", .kind = ControlKind::RadioButton, .holder = "分组框1", .x = 8, .y = 80, .width = 56, .height = 24, .text = "关机", .checked = true},
          {.name = "单选框2", .kind = ControlKind::RadioButton, .holder = "分组框1", .x = 64, .y = 80, .width = 56, .height = 24, .text = "重启"},
          {.name = "透明标签11", .kind = ControlKind::TransparentLabel, .holder = "分组框1", .x = 0, .y = 112, .width = 256, .height = 16, .text = "欢迎使用本程序，定时功能未启动！"},
          {.name = "标签1", .kind = ControlKind::Label, .x = 272, .y = 40, .width = 96, .height = 16, .text = "普通标签"},
          {.name = "按钮1", .kind = ControlKind::Button, .x = 8, .y = 176, .width = 112, .height = 24, .text = "开启", .handCursor = true},
          {.name = "按钮2", .kind = ControlKind::Button, .x = 152, .y = 176, .width = 112, .height = 24, .text = "取消", .disabled = true},
          {.name = "编辑框4", .kind = ControlKind::EditBox, .x = 8, .y = 208, .width = 256, .height = 16, .centred = true},
          {.name = "编辑框3", .kind = ControlKind::EditBox, .x = 8, .y = 232, .width = 160, .height = 64, .text = "多行\r\n编辑框", .multiLine = true, .scrollBars = true},
          {.name = "编辑框1", .kind = ControlKind::EditBox, .x = 176, .y = 232, .width = 48, .height = 22, .text = "2024", .font = {.face = "Arial", .size = 16, .pixels = true}, .spinArrows = true, .rangeLow = 1902, .rangeHigh = 2047},
          {.name = "外形框1", .kind = ControlKind::FrameStrip, .x = 272, .y = 64, .width = 192, .height = 24},
          {.name = "标签4", .kind = ControlKind::Label, .holder = "外形框1", .x = 8, .y = 4, .width = 176, .height = 16, .text = "框内标签 Georgia", .font = {.face = "Georgia", .size = 9}},
          {.name = "列表框1", .kind = ControlKind::ListBox, .x = 272, .y = 96, .width = 192, .height = 72, .items = {"第一圈 0时0分1秒", "第二圈 0时0分2秒"}, .font = {.face = "宋体", .size = 21, .pixels = true, .bold = true}},
          {.name = "画板1", .kind = ControlKind::Canvas, .x = 272, .y = 176, .width = 192, .height = 120},
          {.name = "图片框1", .kind = ControlKind::PictureBox, .x = 232, .y = 264, .width = 32, .height = 32, .picture = "1"},
          {.name = "时钟1", .kind = ControlKind::Timer, .period = 100},
      }};
  return design;
}

struct DemoLogic : ui::WindowHandlers {
  explicit DemoLogic(ui::Window& w) : window(w) {}
  void created() override {
    window.setTrayIcon("Vaelto 演示\r\n托盘提示");
    ui::Canvas& canvas = *window.control("画板1").canvas();
    canvas.setFont({.face = "Arial", .size = 16, .pixels = true});
    canvas.setTextColour({255, 0, 0});
    canvas.drawText(8, 4, "2024年 红字");
    canvas.setTextBackground(ui::Colour{0, 255, 255});
    canvas.setTextColour({0, 0, 0});
    canvas.drawText(8, 28, "今天 15");
    canvas.drawLine(0, 60, 191, 60, {144, 0, 255});
    canvas.fillRect(8, 70, 40, 20, {236, 236, 236});
    canvas.setTextBackground(std::nullopt);
    canvas.setFont({});
    canvas.drawText(60, 72, "初一 春节");
    // Restarted here, so that its start moment is known.
    window.control("时钟1").setPeriod(0);
    start = ui::win32::Win32Toolkit::Now();
    window.control("时钟1").setPeriod(100);
    window.control("时钟1").onTick([this] {
      const std::int64_t now = ui::win32::Win32Toolkit::Now();
      lateness.push_back(now - (start + 100 * static_cast<std::int64_t>(lateness.size() + 1)));
      window.control("透明标签7").setText("第" + std::to_string(lateness.size()) + "次");
    });
    window.control("按钮1").onClick([this] { window.control("透明标签11").setText("按钮被按下"); });
  }
  void firstActivated() override {
    if (dropList) SendMessageW(ui::win32::ControlHandle(window.control("组合框1")), CB_SHOWDROPDOWN, TRUE, 0);
  }
  void destroying() override { window.removeTrayIcon(); }
  bool dropList = false;
  ui::Window& window;
  std::int64_t start = 0;
  std::vector<std::int64_t> lateness;
};

void CALLBACK QuitNow(HWND, UINT, UINT_PTR, DWORD) {
  PostMessageW(FindWindowW(L"VaeltoWindow", nullptr), WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  int quitAfter = 0;
  bool dropList = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc) quitAfter = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--drop") == 0) dropList = true;
  }
  ui::win32::Win32Toolkit toolkit;
  DemoLogic* logic = nullptr;
  ui::Window* w = toolkit.openWindow(DemoDesign(), [&](ui::Window& window) {
    auto made = std::make_unique<DemoLogic>(window);
    made->dropList = dropList;
    logic = made.get();
    return made;
  });
  if (w == nullptr) return 1;
  if (quitAfter > 0) SetTimer(nullptr, 0, static_cast<UINT>(quitAfter), QuitNow);
  const int code = toolkit.run(*w);
  if (logic && !logic->lateness.empty()) {
    std::vector<std::int64_t> sorted = logic->lateness;
    std::sort(sorted.begin(), sorted.end());
    std::printf("ticks %zu, lateness ms: median %lld, 95%% %lld, max %lld, last %lld\n", sorted.size(),
                static_cast<long long>(sorted[sorted.size() / 2]),
                static_cast<long long>(sorted[sorted.size() * 95 / 100]),
                static_cast<long long>(sorted.back()), static_cast<long long>(logic->lateness.back()));
  }
  return code;
}
