// The Win32 toolkit backend: real windows, real child controls, the real
// message loop. Thin on purpose: each toolkit call is a few Win32 calls.
//
// Layout of the backend:
//   Win32Toolkit  - windows, the event loop, the timer schedule, message
//                   boxes, the open-file dialog, the end of the program
//   Win32Window   - one top-level window built from its design
//   Win32Control  - one control: a child window (timers and the open-file
//                   dialog row have none), id 1000 + its design row
//   Win32Canvas   - a canvas's own memory bitmap
//   TrayIcon      - the notification-area icon of a window
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Toolkit.h"
#include "ui/win32/ControlIds.h"

namespace ui::win32 {

class Win32Window;
class Win32Control;
class FontCache;


struct Win32ToolkitOptions {
  // Ends the process; tests replace it to watch endProgram. The default is
  // ExitProcess. When a replacement returns, the toolkit behaves as ended:
  // its windows vanish and no handler runs any more.
  std::function<void(unsigned exitCode)> exitProcess;
};

class Win32Toolkit : public Toolkit {
 public:
  explicit Win32Toolkit(Win32ToolkitOptions options = {});
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  // Toolkit
  Window* openWindow(const WindowDesign& design, const HandlersFactory& make) override;
  Window* findWindow(const WindowDesign& design) override;
  MessageResult showMessage(std::string_view text, int style, std::string_view title) override;
  std::optional<std::string> chooseOpenFile(std::string_view title,
                                            std::string_view filter) override;
  void endProgram() override;
  int run(Window& main) override;

  // Milliseconds on the steady clock that timers run by.
  static std::int64_t Now();
  // Gives the message to the toolkit before it is dispatched (keyboard
  // navigation between controls); true when it was used up. Loops other
  // than run() (a test driver's) call it too.
  bool preTranslate(MSG& msg);
  bool ended() const { return ended_; }

  // --- used by the backend's own classes ---
  int scale(int designPixels) const;    // design pixels to device pixels
  int unscale(int devicePixels) const;  // and back
  HFONT font(const Font& font);         // from the cache; empty face: 宋体 9 pt
  HICON programIcon(bool small) const;
  HINSTANCE instance() const { return instance_; }
  UINT taskbarCreatedMessage() const { return taskbarCreated_; }
  // The start moment of a timer started now: sampled once per dispatched
  // event, so that timers started in one handler share it.
  std::int64_t moment() const;
  void rearmTimers();
  // Window procedures mark the events they dispatch with an EventScope.
  class EventScope {
   public:
    explicit EventScope(Win32Toolkit& toolkit);
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

   private:
    Win32Toolkit& toolkit_;
    std::optional<std::int64_t> previous_;
  };
  void windowDestroyed(Win32Window& window);  // after WM_NCDESTROY
  bool isMain(const Win32Window& window) const { return main_ == &window; }

 private:
  static LRESULT CALLBACK SchedulerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void deliverDueTicks();
  void afterModal();  // a modal loop returned: the handler goes on at a later moment
  void vanishAll();   // windows go without running handlers

  Win32ToolkitOptions options_;
  HINSTANCE instance_ = nullptr;
  HWND scheduler_ = nullptr;
  UINT taskbarCreated_ = 0;
  int dpi_ = 96;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool ownIcons_ = false;
  std::unique_ptr<FontCache> fonts_;
  std::vector<std::unique_ptr<Win32Window>> windows_;    // open
  std::vector<std::unique_ptr<Win32Window>> graveyard_;  // destroyed; kept so stale pointers stay valid
  Win32Window* main_ = nullptr;
  std::optional<std::int64_t> moment_;
  std::optional<std::int64_t> armedFor_;  // the due moment the Win32 timer is armed for
  std::optional<std::int64_t> batch_;     // while ticks due by this moment are being delivered
  std::wstring lastFile_;
  bool ended_ = false;
  std::uint64_t nextSerial_ = 0;
};

// Test-side views of what the toolkit told the system.
HWND WindowHandle(Window& window);
HWND ControlHandle(Control& control);  // nullptr for timers and the open-file dialog
HWND SpinHandle(Control& control);     // the spin arrows of an edit box, if any
struct TrayView {
  bool present = false;   // the program wants an icon
  bool accepted = false;  // the system took it
  std::string tip;
  int systemWrites = 0;   // how often the system was told (add, change or delete)
};
TrayView TrayOf(Window& window);

// "desc|pattern|desc|pattern|" to the NUL-separated, double-NUL-ended form of
// OPENFILENAME's lpstrFilter.
std::wstring OpenFileFilter(std::string_view filter);

// The text a spin arrow press writes into an edit box: its leading decimal
// digits as a number (0 when none) plus or minus one; past one end of the
// range it continues from the other end.
std::string SpinStepText(std::string_view text, bool up, int low, int high);

}  // namespace ui::win32
