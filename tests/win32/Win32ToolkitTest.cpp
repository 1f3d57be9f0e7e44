// The Win32 form of the toolkit, beyond the contract: what the system sees
// (child windows, ids, texts, places, styles, the tray) and the Win32 roads
// of user actions.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win32/ModalAnswers.h"
#include "ui/win32/Win32Internal.h"
#include "ui/win32/Win32Toolkit.h"

namespace {

using testing_win32::ModalAnswers;
using testing_win32::PumpFor;
using testing_win32::TextOf;
using testing_win32::Utf8;
using ui::ControlKind;
using ui::win32::ControlHandle;
using ui::win32::TrayOf;
using ui::win32::WindowHandle;

const ui::WindowDesign& TestDesign() {
  static const ui::WindowDesign design{
      .caption = "窗口测试",
      .width = 320,
      .height = 300,
      .left = 50,
      .top = 60,
      .minimiseBox = true,
      .menus = {{.text = "选项", .items = {{.text = "关于程序"}, {.text = "退出程序"}}}},
      .controls = {
          {.name = "按钮1", .kind = ControlKind::Button, .x = 8, .y = 8, .width = 80, .height = 24, .text = "开启", .handCursor = true},
          {.name = "透明标签1", .kind = ControlKind::TransparentLabel, .x = 96, .y = 8, .width = 120, .height = 16, .text = "透明的标签"},
          {.name = "标签1", .kind = ControlKind::Label, .x = 96, .y = 28, .width = 120, .height = 16, .text = "普通标签"},
          {.name = "分组框1", .kind = ControlKind::GroupBox, .x = 8, .y = 56, .width = 200, .height = 100, .text = "定时设定"},
          {.name = "编辑框1", .kind = ControlKind::EditBox, .holder = "分组框1", .x = 16, .y = 20, .width = 100, .height = 20, .text = "内容"},
          {.name = "组合框1", .kind = ControlKind::DropDownList, .holder = "分组框1", .x = 16, .y = 48, .width = 60, .height = 20,
           .handCursor = true, .items = {"关机", "重启"}, .selected = 1},
          {.name = "透明标签2", .kind = ControlKind::TransparentLabel, .holder = "分组框1", .x = 80, .y = 48, .width = 60, .height = 24, .text = "时", .handCursor = true},
          {.name = "时钟1", .kind = ControlKind::Timer},
          {.name = "通用对话框_打开", .kind = ControlKind::OpenFileDialog},
          {.name = "编辑框2", .kind = ControlKind::EditBox, .x = 8, .y = 170, .width = 48, .height = 22, .text = "12",
           .spinArrows = true, .rangeLow = 1, .rangeHigh = 12},
          {.name = "选择框1", .kind = ControlKind::CheckBox, .x = 100, .y = 170, .width = 80, .height = 24, .text = "定时设定"},
          {.name = "外形框1", .kind = ControlKind::FrameStrip, .x = 8, .y = 200, .width = 200, .height = 24},
          {.name = "标签2", .kind = ControlKind::Label, .holder = "外形框1", .x = 4, .y = 4, .width = 100, .height = 16, .text = "框内"},
      }};
  return design;
}

const ui::WindowDesign& TopMostDesign() {
  static const ui::WindowDesign design{.caption = "置顶", .width = 200, .height = 120, .topMost = true};
  return design;
}

struct Probe : ui::WindowHandlers {
  bool allowClose = true;
  int destroyings = 0;
  int positionChanges = 0;
  std::vector<int> trayEvents;
  void positionChanged() override { ++positionChanges; }
  void trayEvent(int kind) override { trayEvents.push_back(kind); }
  bool canClose() override { return allowClose; }
  void destroying() override { ++destroyings; }
};

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

// Asks the shell whether it has the window's icon: modifying a missing icon fails.
bool TrayHasIcon(HWND hwnd) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V3_SIZE;
  nid.hWnd = hwnd;
  nid.uID = 1;
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

class Win32Toolkit : public ::testing::Test {
 protected:
  explicit Win32Toolkit(ui::win32::Win32ToolkitOptions options = {}) : toolkit(std::move(options)) {}
  ui::Window& open(const ui::WindowDesign& design = TestDesign()) {
    ui::Window* w = toolkit.openWindow(design, [this](ui::Window&) {
      auto p = std::make_unique<Probe>();
      probe = p.get();
      return p;
    });
    EXPECT_NE(w, nullptr);
    pump(0);
    return *w;
  }
  void pump(int ms) { PumpFor(ms, [this](MSG& m) { return toolkit.preTranslate(m); }); }
  void TearDown() override {
    if (ui::Window* w = toolkit.findWindow(TestDesign())) w->close();
    if (ui::Window* w = toolkit.findWindow(TopMostDesign())) w->close();
    pump(0);
  }
  ui::win32::Win32Toolkit toolkit;
  Probe* probe = nullptr;
};

TEST_F(Win32Toolkit, ControlsAnswerWmGetTextWithTheirTexts) {
  ui::Window& w = open();
  const struct {
    const char* control;
    const char* text;
  } cases[] = {
      {"按钮1", "开启"},     {"透明标签1", "透明的标签"}, {"标签1", "普通标签"}, {"分组框1", "定时设定"},
      {"编辑框1", "内容"},   {"组合框1", "重启"},         {"透明标签2", "时"},      {"选择框1", "定时设定"},
      {"标签2", "框内"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8(TextOf(ControlHandle(w.control(c.control)))), c.text) << c.control;
  w.control("透明标签1").setText("新的文字");
  EXPECT_EQ(Utf8(TextOf(ControlHandle(w.control("透明标签1")))), "新的文字");
  w.control("分组框1").setText("倒计时设定");
  EXPECT_EQ(Utf8(TextOf(ControlHandle(w.control("分组框1")))), "倒计时设定");
}

TEST_F(Win32Toolkit, ChildWindowIdsAreDesignRowsFromOneThousandAndTimersHaveNone) {
  ui::Window& w = open();
  const auto& rows = TestDesign().controls;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    HWND h = ControlHandle(w.control(rows[row].name));
    const bool unseen = rows[row].kind == ControlKind::Timer || rows[row].kind == ControlKind::OpenFileDialog;
    if (unseen) {
      EXPECT_EQ(h, nullptr) << rows[row].name;
      continue;
    }
    ASSERT_NE(h, nullptr) << rows[row].name;
    EXPECT_EQ(GetDlgCtrlID(h), ui::win32::kFirstControlId + static_cast<int>(row)) << rows[row].name;
    // A driver finds the control from the window by its id, through the holders.
    HWND holder = rows[row].holder.empty() ? WindowHandle(w) : ControlHandle(w.control(rows[row].holder));
    EXPECT_EQ(GetParent(h), holder) << rows[row].name;
  }
}

TEST_F(Win32Toolkit, AtNinetySixDpiPlacesAndSizesAreTheDesigns) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi != 96) GTEST_SKIP() << "the screen has " << dpi << " DPI";
  ui::Window& w = open();
  RECT outer{};
  GetWindowRect(WindowHandle(w), &outer);
  EXPECT_EQ(outer.right - outer.left, 320);
  EXPECT_EQ(outer.bottom - outer.top, 300);
  EXPECT_EQ(outer.left, 50);
  EXPECT_EQ(outer.top, 60);
  for (const char* name : {"按钮1", "透明标签1", "分组框1", "编辑框1", "组合框1", "透明标签2", "编辑框2", "外形框1", "标签2"}) {
    const ui::ControlDesign& d = w.control(name).design();
    HWND h = ControlHandle(w.control(name));
    RECT rc{};
    GetWindowRect(h, &rc);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, d.x) << name;
    EXPECT_EQ(rc.top, d.y) << name;
    EXPECT_EQ(rc.right - rc.left, d.width) << name;
    if (d.kind == ControlKind::DropDownList) {
      // Its closed height cannot go below its font's: 宋体 fits the design,
      // Wine's taller stand-in face (WenQuanYi Zen Hei) makes it 2 pixels more.
      EXPECT_NEAR(rc.bottom - rc.top, d.height, 2) << name;
    } else {
      EXPECT_EQ(rc.bottom - rc.top, d.height) << name;
    }
  }
  // Spin arrows: 18 pixels wide just right of the box, as tall as it.
  RECT spin{};
  HWND arrows = ui::win32::SpinHandle(w.control("编辑框2"));
  GetWindowRect(arrows, &spin);
  MapWindowPoints(nullptr, GetParent(arrows), reinterpret_cast<POINT*>(&spin), 2);
  EXPECT_EQ(spin.left, 8 + 48);
  EXPECT_EQ(spin.top, 170);
  EXPECT_EQ(spin.right - spin.left, 18);
  EXPECT_EQ(spin.bottom - spin.top, 22);
}

TEST_F(Win32Toolkit, HidingAHolderHidesWhatItHolds) {
  ui::Window& w = open();
  HWND edit = ControlHandle(w.control("编辑框1"));
  EXPECT_TRUE(IsWindowVisible(edit));
  w.control("分组框1").hide();
  EXPECT_FALSE(IsWindowVisible(edit));
  EXPECT_TRUE(w.control("编辑框1").visible());  // its own state is unchanged
  w.control("分组框1").show();
  EXPECT_TRUE(IsWindowVisible(edit));
}

TEST_F(Win32Toolkit, WindowStylesFollowTheDesign) {
  const struct {
    const ui::WindowDesign* design;
    bool minimiseBox;
    bool topMost;
  } cases[] = {{&TestDesign(), true, false}, {&TopMostDesign(), false, true}};
  for (const auto& c : cases) {
    ui::Window& w = open(*c.design);
    HWND h = WindowHandle(w);
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(h, GWL_EXSTYLE);
    EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, c.minimiseBox) << c.design->caption;
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0) << c.design->caption;
    EXPECT_EQ(style & WS_THICKFRAME, 0) << c.design->caption;  // the user cannot resize it
    EXPECT_NE(style & WS_SYSMENU, 0) << c.design->caption;
    EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0) << c.design->caption;
    EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, c.topMost) << c.design->caption;
    EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0) << c.design->caption;
    EXPECT_EQ(Utf8(TextOf(h)), c.design->caption);
  }
}

TEST_F(Win32Toolkit, ThePointerIsAHandOnlyOverControlsThatAskForIt) {
  ui::Window& w = open();
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  const struct {
    const char* control;
    bool hand;
  } cases[] = {{"按钮1", true}, {"透明标签2", true}, {"组合框1", true}, {"标签1", false}, {"编辑框1", false}};
  for (const auto& c : cases) {
    SetCursor(nullptr);
    HWND h = ControlHandle(w.control(c.control));
    // What the system sends when the pointer moves over the control.
    SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == hand, c.hand) << c.control;
  }
}

TEST_F(Win32Toolkit, TypingRunsTheChangeHandlerWithTheTypedText) {
  ui::Window& w = open();
  ui::Control& edit = w.control("编辑框1");
  std::vector<std::string> seen;
  edit.onChange([&] { seen.push_back(edit.text()); });
  // What a keystroke does: the box replaces its selection and tells its parent.
  SendMessageW(ControlHandle(edit), EM_SETSEL, 0, -1);
  SendMessageW(ControlHandle(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"打字"));
  EXPECT_EQ(seen, std::vector<std::string>{"打字"});
}

TEST_F(Win32Toolkit, EditBoxesTakeTextsOfAnyLength) {
  ui::Window& w = open();
  ui::Control& edit = w.control("编辑框1");
  const std::wstring typed(100000, L'字');
  SendMessageW(ControlHandle(edit), EM_SETSEL, 0, -1);
  SendMessageW(ControlHandle(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
  EXPECT_EQ(edit.text().size(), typed.size() * 3);  // UTF-8: three bytes a character
  const std::string written(1 << 20, 'x');
  edit.setText(written);
  EXPECT_EQ(edit.text(), written);
}

TEST_F(Win32Toolkit, ADisabledCheckBoxIgnoresClicks) {
  ui::Window& w = open();
  ui::Control& box = w.control("选择框1");
  int clicks = 0;
  box.onClick([&] { ++clicks; });
  box.disable();
  SendMessageW(ControlHandle(box), BM_CLICK, 0, 0);  // Wine still sends BN_CLICKED
  pump(0);
  EXPECT_FALSE(box.checked());
  EXPECT_EQ(clicks, 0);
  box.enable();
  SendMessageW(ControlHandle(box), BM_CLICK, 0, 0);
  pump(0);
  EXPECT_TRUE(box.checked());
  EXPECT_EQ(clicks, 1);
}

TEST(SpinStepText, StepsAndContinuesFromTheOtherEnd) {
  const struct {
    const char* text;
    bool up;
    int low, high;
    const char* next;
  } cases[] = {
      {"5", true, 1, 12, "6"},          {"5", false, 1, 12, "4"},        {"12", true, 1, 12, "1"},
      {"1", false, 1, 12, "12"},        {"", true, 1902, 2047, "1902"},  {"abc", false, 1902, 2047, "2047"},
      {"2000年", true, 1902, 2047, "2001"}, {"5000", false, 1902, 2047, "2047"}, {"-3", true, 1, 12, "1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ui::win32::SpinStepText(c.text, c.up, c.low, c.high), c.next)
        << c.text << (c.up ? " up" : " down");
}

TEST_F(Win32Toolkit, SpinArrowPressesWriteTheNextNumberSelectItAndFocusTheBox) {
  ui::Window& w = open();
  ui::Control& edit = w.control("编辑框2");
  std::vector<std::string> seen;
  edit.onChange([&] { seen.push_back(edit.text()); });
  HWND arrows = ui::win32::SpinHandle(edit);
  ASSERT_NE(arrows, nullptr);
  RECT rc{};
  GetClientRect(arrows, &rc);
  const struct {
    int y;  // in the upper or the lower arrow
    const char* text;
  } presses[] = {{2, "1"}, {rc.bottom - 3, "12"}, {rc.bottom - 3, "11"}};
  for (const auto& p : presses) {
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right / 2, p.y));
    SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(rc.right / 2, p.y));
    pump(0);
    EXPECT_EQ(edit.text(), p.text);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "12", "11"}));
  DWORD from = 0, to = 0;
  SendMessageW(ControlHandle(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 2u);
  EXPECT_EQ(GetFocus(), ControlHandle(edit));
}

TEST_F(Win32Toolkit, TrayMessagesBecomeTrayEvents) {
  ui::Window& w = open();
  w.setTrayIcon("提示");
  const struct {
    UINT mouse;
    std::vector<int> events;
  } cases[] = {
      {WM_LBUTTONUP, {ui::tray::kLeftButtonUp}},      {WM_LBUTTONDBLCLK, {ui::tray::kLeftDoubleClick}},
      {WM_RBUTTONUP, {ui::tray::kRightButtonUp}},     {WM_CONTEXTMENU, {ui::tray::kRightButtonUp}},
      {WM_MOUSEMOVE, {}},                             {WM_LBUTTONDOWN, {}},
  };
  for (const auto& c : cases) {
    probe->trayEvents.clear();
    SendMessageW(WindowHandle(w), ui::win32::kTrayMessage, 1, c.mouse);
    EXPECT_EQ(probe->trayEvents, c.events) << "mouse message " << c.mouse;
  }
  w.removeTrayIcon();
}

TEST_F(Win32Toolkit, TheTrayIsToldOnlyOfChangesAndTheIconGoesWhenRemoved) {
  ui::Window& w = open();
  HWND h = WindowHandle(w);
  w.setTrayIcon("Vaelto\r\n空闲");
  ASSERT_TRUE(TrayOf(w).accepted);
  EXPECT_TRUE(TrayHasIcon(h));
  const int writes = TrayOf(w).systemWrites;
  w.setTrayIcon("Vaelto\r\n空闲");
  EXPECT_EQ(TrayOf(w).systemWrites, writes);
  w.setTrayIcon("Vaelto\r\n定时关机已启动");
  EXPECT_EQ(TrayOf(w).systemWrites, writes + 1);
  EXPECT_EQ(TrayOf(w).tip, "Vaelto\r\n定时关机已启动");
  w.removeTrayIcon();
  EXPECT_FALSE(TrayHasIcon(h));
  EXPECT_FALSE(TrayOf(w).present);
}

TEST_F(Win32Toolkit, TrayTipsAreCutToSixtyTwoGbkBytesOnACharacterBoundary) {
  ui::Window& w = open();
  const std::string chinese31 = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一";  // 62 bytes
  const struct {
    std::string tip;
    std::string shown;
  } cases[] = {
      {std::string(62, 'a'), std::string(62, 'a')},
      {std::string(63, 'a'), std::string(62, 'a')},
      {chinese31, chinese31},
      {chinese31 + "二", chinese31},
      {"a" + chinese31, "a" + chinese31.substr(0, 30 * 3)},  // 61 bytes: the next character would not fit
  };
  for (const auto& c : cases) {
    w.setTrayIcon(c.tip);
    EXPECT_EQ(TrayOf(w).tip, c.shown) << c.tip;
  }
  w.removeTrayIcon();
}

TEST_F(Win32Toolkit, TheIconComesBackWhenTheTaskbarIsMadeAnew) {
  ui::Window& w = open();
  HWND h = WindowHandle(w);
  w.setTrayIcon("Vaelto");
  ASSERT_TRUE(TrayHasIcon(h));
  // Explorer restarting loses every icon...
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V3_SIZE;
  nid.hWnd = h;
  nid.uID = 1;
  Shell_NotifyIconW(NIM_DELETE, &nid);
  ASSERT_FALSE(TrayHasIcon(h));
  // ...then tells every top-level window that the taskbar is back.
  SendMessageW(h, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(TrayHasIcon(h));
  w.removeTrayIcon();
}

TEST_F(Win32Toolkit, CanCloseDecidesWhetherTheCloseBoxDestroysTheWindow) {
  for (bool allow : {false, true}) {
    ui::Window& w = open();
    probe->allowClose = allow;
    Probe* p = probe;
    PostMessageW(WindowHandle(w), WM_SYSCOMMAND, SC_CLOSE, 0);
    pump(50);
    EXPECT_EQ(toolkit.findWindow(TestDesign()) == nullptr, allow) << allow;
    EXPECT_EQ(p->destroyings, allow ? 1 : 0) << allow;
    if (!allow) {
      p->allowClose = true;
      w.close();
      pump(0);
    }
  }
}

TEST_F(Win32Toolkit, MinimisingIsAPositionChangeAndOpeningAgainRestores) {
  ui::Window& w = open();
  probe->positionChanges = 0;
  ShowWindow(WindowHandle(w), SW_MINIMIZE);
  pump(0);
  EXPECT_TRUE(w.minimised());
  EXPECT_GE(probe->positionChanges, 1);
  EXPECT_EQ(toolkit.openWindow(TestDesign(), [](ui::Window&) { return std::make_unique<Probe>(); }), &w);
  pump(0);
  EXPECT_FALSE(w.minimised());
  EXPECT_TRUE(w.visible());
}

TEST_F(Win32Toolkit, ALateTickComesOnceAndTheScheduleKeepsItsBeat) {
  ui::Window& w = open();
  std::vector<std::int64_t> ticks;
  w.control("时钟1").onTick([&] { ticks.push_back(ui::win32::Win32Toolkit::Now()); });
  const std::int64_t start = ui::win32::Win32Toolkit::Now();
  w.control("时钟1").setPeriod(50);
  Sleep(230);  // the loop is busy: the ticks due at 50 .. 200 fall due meanwhile
  pump(100);
  w.control("时钟1").setPeriod(0);
  ASSERT_GE(ticks.size(), 2u);
  EXPECT_GE(ticks[0], start + 230);      // the late tick, once...
  EXPECT_GE(ticks[1], start + 250 - 1);  // ...then the next one of the schedule,
  EXPECT_LE(ticks[1], start + 250 + 60);  // not a period after the late one
}

TEST_F(Win32Toolkit, APopupMenuKeepsTimersTicking) {
  ui::Window& w = open();
  int ticks = 0;
  w.control("时钟1").onTick([&] { ++ticks; });
  w.control("时钟1").setPeriod(40);
  ModalAnswers answers;
  answers.chooseInPopup(L"没有这一项", 400);  // closes the menu with Esc
  w.popupTrayMenu("选项");
  w.control("时钟1").setPeriod(0);
  EXPECT_GE(ticks, 5);
}

TEST_F(Win32Toolkit, ThePopupMenuHangsLeftOfAndJustAboveThePointer) {
  ui::Window& w = open();
  if (!SetCursorPos(600, 400)) GTEST_SKIP() << "the pointer cannot be moved here";
  POINT pointer{};
  GetCursorPos(&pointer);
  ModalAnswers answers;
  RECT menu{};
  answers.actOn(L"#32768", [&](HWND popup) {
    GetWindowRect(popup, &menu);
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 1);
  }, 50);
  w.popupTrayMenu("选项");
  EXPECT_EQ(menu.right, pointer.x - 5);
  EXPECT_EQ(menu.top, pointer.y - 5);
}

TEST_F(Win32Toolkit, ATransparentLabelsOldTextGoesWhenItsTextChanges) {
  ui::Window& w = open();
  ui::Control& label = w.control("透明标签1");  // 120 × 16 at 96, 8 in the window
  HWND parent = WindowHandle(w);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // Pixels of the window (under the label) that are not the window's face colour.
  auto inked = [&](int fromX, int toX) {
    RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(parent);
    int count = 0;
    for (int x = fromX; x < toX; ++x)
      for (int y = 8; y < 24; ++y)
        if (GetPixel(dc, x, y) != face) ++count;
    ReleaseDC(parent, dc);
    return count;
  };
  label.setText("八八八八八八八八八八");
  pump(50);
  const int before = inked(96 + 40, 96 + 110);
  ASSERT_GT(before, 0) << "the long text was not drawn";
  label.setText("八");
  pump(50);
  EXPECT_EQ(inked(96 + 40, 96 + 110), 0) << "the old text is still on the screen";
  EXPECT_GT(inked(96, 96 + 12), 0) << "the new text is missing";
}

TEST_F(Win32Toolkit, MessageBoxResultsAreNumberedAsTheProgramCountsThem) {
  ui::Window& w = open();
  ModalAnswers answers;
  const struct {
    int style;
    int button;
    ui::MessageResult result;
  } cases[] = {
      {ui::style::kOk, IDOK, ui::MessageResult::Ok},      {1, IDCANCEL, ui::MessageResult::Cancel},
      {2, IDABORT, ui::MessageResult::Abort},             {2, IDRETRY, ui::MessageResult::Retry},
      {2, IDIGNORE, ui::MessageResult::Ignore},           {ui::style::kYesNo, IDYES, ui::MessageResult::Yes},
      {ui::style::kYesNo, IDNO, ui::MessageResult::No},
  };
  for (const auto& c : cases) {
    answers.answerMessage(c.button, 20);
    EXPECT_EQ(toolkit.showMessage("问题", c.style, "Vaelto"), c.result) << c.style << " " << c.button;
  }
  // The box carries the text and title, and the program's windows wait for it.
  std::string title, text;
  bool windowUsable = true;
  answers.actOnDialog([&](HWND box) {
    title = Utf8(TextOf(box));
    text = Utf8(TextOf(GetDlgItem(box, 0xFFFF)));
    windowUsable = IsWindowEnabled(WindowHandle(w)) != FALSE;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }, 20);
  toolkit.showMessage("欢迎使用 Vaelto ！", ui::style::kInformationIcon, "Vaelto");
  EXPECT_EQ(title, "Vaelto");
  EXPECT_EQ(text, "欢迎使用 Vaelto ！");
  EXPECT_FALSE(windowUsable);
  EXPECT_TRUE(w.enabled());
}

// A wide string with its inner NULs: all of the literal but its own end.
template <std::size_t N>
std::wstring WithNuls(const wchar_t (&literal)[N]) {
  return std::wstring(literal, N - 1);
}

TEST(OpenFileFilter, BecomesNulSeparatedWithADoubleNulEnd) {
  const struct {
    const char* filter;
    std::wstring wide;
  } cases[] = {
      {"mp3文件(*.mp3)|*.mp3|", WithNuls(L"mp3文件(*.mp3)\0*.mp3\0\0")},
      {"a|*.a|b|*.b|", WithNuls(L"a\0*.a\0b\0*.b\0\0")},
      {"a|*.a", WithNuls(L"a\0*.a\0\0")},
      {"", WithNuls(L"\0\0")},
  };
  for (const auto& c : cases) EXPECT_EQ(ui::win32::OpenFileFilter(c.filter), c.wide) << c.filter;
}

struct ChildSearch {
  int id;
  const wchar_t* windowClass;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<ChildSearch*>(lParam);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (GetDlgCtrlID(hwnd) == s->id && lstrcmpiW(name, s->windowClass) == 0) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND DialogItem(HWND dialog, int id, const wchar_t* windowClass) {
  ChildSearch s{id, windowClass, nullptr};
  EnumChildWindows(dialog, MatchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

TEST_F(Win32Toolkit, TheOpenFileDialogReturnsTheChosenFileAndStartsOnItNextTime) {
  open();
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"vaelto铃声.mp3";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  ModalAnswers answers;
  std::string caption;
  answers.actOnDialog([&](HWND dialog) {
    caption = Utf8(TextOf(dialog));
    SendMessageW(DialogItem(dialog, 1148, L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(DialogItem(dialog, IDOK, L"Button"), BM_CLICK, 0, 0);
  }, 100);
  const auto chosen = toolkit.chooseOpenFile("选择铃声", "mp3文件(*.mp3)|*.mp3|");
  EXPECT_EQ(caption, "选择铃声");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(Wide(*chosen), path);

  std::wstring startName;
  answers.actOnDialog([&](HWND dialog) {
    startName = TextOf(DialogItem(dialog, 1148, L"Edit"));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }, 100);
  EXPECT_FALSE(toolkit.chooseOpenFile("选择铃声", "mp3文件(*.mp3)|*.mp3|").has_value());
  EXPECT_NE(startName.find(L"vaelto铃声.mp3"), std::wstring::npos) << Utf8(startName);
  DeleteFileW(path.c_str());
}

class Win32ToolkitEnd : public Win32Toolkit {
 protected:
  Win32ToolkitEnd() : Win32Toolkit({.exitProcess = [this](unsigned code) { exitCodes.push_back(code); }}) {}
  std::vector<unsigned> exitCodes;
};

TEST_F(Win32ToolkitEnd, EndProgramTakesTheTrayIconAlongAndRunsNoMoreHandlers) {
  ui::Window& w = open();
  HWND h = WindowHandle(w);
  Probe* p = probe;
  int ticks = 0;
  w.control("时钟1").onTick([&] { ++ticks; });
  w.control("时钟1").setPeriod(20);
  w.setTrayIcon("Vaelto");
  ASSERT_TRUE(TrayHasIcon(h));
  w.close();  // queued: dropped by the end
  toolkit.endProgram();
  EXPECT_EQ(exitCodes, std::vector<unsigned>{0});
  EXPECT_FALSE(TrayHasIcon(h));
  pump(100);
  EXPECT_EQ(p->destroyings, 0);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(toolkit.findWindow(TestDesign()), nullptr);
}

}  // namespace
