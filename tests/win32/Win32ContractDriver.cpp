// The contract driver for the Win32 backend: real windows, real time. The
// user's actions are the messages a user's mouse would bring about.
#include "tests/contract/ContractDriver.h"
#include "tests/win32/ModalAnswers.h"
#include "ui/win32/Win32Toolkit.h"

namespace contract {
namespace {

using ui::win32::ControlHandle;
using ui::win32::WindowHandle;

class Win32Driver : public Driver {
 public:
  ui::Toolkit& toolkit() override { return toolkit_; }

  void click(ui::Window& w, std::string_view name) override {
    ui::Control& c = w.control(name);
    HWND h = ControlHandle(c);
    if (c.kind() == ui::ControlKind::Button || c.kind() == ui::ControlKind::CheckBox ||
        c.kind() == ui::ControlKind::RadioButton) {
      SendMessageW(h, BM_CLICK, 0, 0);  // down and up over the button: BN_CLICKED
    } else {
      SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    wait(0);
  }

  void pick(ui::Window& w, std::string_view name, int index) override {
    HWND h = ControlHandle(w.control(name));
    // What the list does when the user picks an item: select it, then tell its parent.
    SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
    wait(0);
  }

  void chooseMenuItem(ui::Window& w, std::string_view item) override {
    HWND hwnd = WindowHandle(w);
    HMENU bar = GetMenu(hwnd);
    const std::wstring wanted = Wide(item);
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
      HMENU popup = GetSubMenu(bar, m);
      for (int k = 0; k < GetMenuItemCount(popup); ++k) {
        wchar_t text[128] = {};
        GetMenuStringW(popup, static_cast<UINT>(k), text, 128, MF_BYPOSITION);
        if (wanted != text) continue;
        // Posted, as the menu loop posts it: a handler may open a modal box.
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, k), 0), 0);
        wait(0);
        return;
      }
    }
  }

  void pressCloseBox(ui::Window& w) override {
    PostMessageW(WindowHandle(w), WM_SYSCOMMAND, SC_CLOSE, 0);
    wait(0);
  }

  void wait(int milliseconds) override {
    testing_win32::PumpFor(milliseconds, [this](MSG& msg) { return toolkit_.preTranslate(msg); });
  }

  std::int64_t now() override { return ui::win32::Win32Toolkit::Now(); }

  void answerNextMessage(ui::MessageResult result, int afterMs) override {
    // Results count from Ok = 0; the button ids from IDOK = 1 in the same order.
    answers_.answerMessage(static_cast<int>(result) + 1, afterMs);
  }

  void chooseInNextPopup(std::string_view item, int afterMs) override {
    answers_.chooseInPopup(Wide(item), afterMs);
  }

  // Real timers come late by the system's timer granularity (10-16 ms on
  // Windows) plus whatever else the machine is doing.
  int slackMs() const override { return 60; }

 private:
  static std::wstring Wide(std::string_view utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
  }

  ui::win32::Win32Toolkit toolkit_;
  testing_win32::ModalAnswers answers_;
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() { return std::make_unique<Win32Driver>(); }

}  // namespace contract
