// The user-interface toolkit: windows built from designs, their controls and
// menus, the tray icon, message boxes, the open-file dialog, and the ending of
// the program. One interface, two backends (ui/win32 with real windows,
// ui/headless in memory with a virtual clock for tests).
//
// THE CONTRACT both backends obey (checked by the contract test suite, run
// natively against the headless backend and under Wine against Win32):
//  1. A program write of an edit box's text runs its change handler once,
//     right after the new text is in place (also when the text is the same).
//     Program writes to other controls run no handler.
//  2. A program write of a list selection runs no handler; a user's pick runs
//     the select handler once.
//  3. A user click on a check box toggles its tick and then runs the click
//     handler; a click on a radio button selects it, deselects the other
//     radio buttons of the same holder, then runs the handler. A program
//     `setChecked(true)` on a radio button also deselects its siblings.
//  4. `Window::close` queues the destruction: the window's `destroying`
//     handler runs and the window disappears when the current handler has
//     returned and the event loop runs again. A second close before that
//     changes nothing.
//  5. A timer runs while its period is above zero; 0 stops it; a new period
//     restarts its count; writing the period it already has changes nothing.
//     Ticks are due at start + n × period (no drift from timer granularity).
//     A late tick is delivered once; ticks missed meanwhile are not replayed,
//     the next one is due at the next start + n × period. Timers started in
//     one handler share one start moment, and ticks due at the same moment
//     are delivered in the order of the timers' rows in the window design.
//  6. Message boxes and pop-up menus keep delivering events and timer ticks
//     while they are open. A pop-up menu item's handler runs after the
//     pop-up call has returned.
//  7. A window's first activation is delivered as an event of its own, after
//     the handler that opened the window has returned.
//  8. `Toolkit::openWindow` of a design whose window is open and not being
//     closed makes no second copy: it restores a minimised window, else
//     activates it. A window whose close is still queued is destroyed first
//     (its `destroying` handler runs) and a new copy is opened.
//  9. `Toolkit::endProgram` ends the program at once with exit code 0: no
//     further handler runs, queued closes are dropped, tray icons go.
// 10. Every control a user can see is a real child window carrying its text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Design.h"

namespace ui {

// Results of a message box, numbered as the program counts them.
enum class MessageResult { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

// Message box styles: the button set in the lowest four bits plus an icon.
namespace style {
inline constexpr int kOk = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kStopIcon = 16;
inline constexpr int kQuestionIcon = 32;
inline constexpr int kExclamationIcon = 48;
inline constexpr int kInformationIcon = 64;
}  // namespace style

// Tray events: the argument of a window's tray handler.
namespace tray {
inline constexpr int kLeftButtonUp = 1;
inline constexpr int kLeftDoubleClick = 2;
inline constexpr int kRightButtonUp = 3;  // also the context-menu key
}  // namespace tray

// The most bytes (GBK) of a tray tip; longer tips are cut on a character boundary.
inline constexpr std::size_t kTrayTipBytes = 62;

// A drawing surface that keeps what is drawn on it until cleared.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void clear() = 0;  // fills with the background colour
  virtual void setTextColour(Colour colour) = 0;
  virtual void setTextBackground(std::optional<Colour> colour) = 0;  // nullopt: transparent
  virtual void setFont(const Font& font) = 0;
  virtual void drawText(int x, int y, std::string_view text) = 0;
  virtual void fillRect(int x, int y, int width, int height, Colour colour) = 0;
  virtual void drawLine(int x1, int y1, int x2, int y2, Colour colour) = 0;
};

class Control {
 public:
  virtual ~Control() = default;
  virtual const ControlDesign& design() const = 0;
  const std::string& name() const { return design().name; }
  ControlKind kind() const { return design().kind; }

  virtual std::string text() const = 0;
  virtual void setText(std::string_view text) = 0;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  // The control's own visibility, not counting its holders'.
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  void show() { setVisible(true); }
  void hide() { setVisible(false); }
  void enable() { setEnabled(true); }
  void disable() { setEnabled(false); }

  // Check boxes and radio buttons.
  virtual bool checked() const = 0;
  virtual void setChecked(bool checked) = 0;

  // Drop-down lists and list boxes.
  virtual int itemCount() const = 0;
  virtual std::string itemText(int index) const = 0;
  virtual int selectedIndex() const = 0;
  virtual void select(int index) = 0;  // -1 clears; runs no handler
  virtual void addItem(std::string_view text) = 0;
  virtual void clearItems() = 0;

  // Timers.
  virtual int period() const = 0;
  virtual void setPeriod(int milliseconds) = 0;

  // Edit boxes.
  virtual void selectAllText() = 0;
  virtual void focus() = 0;

  // Appearance.
  virtual void setFont(const Font& font) = 0;
  virtual void setTextColour(Colour colour) = 0;

  // Canvases; nullptr for other kinds.
  virtual Canvas* canvas() = 0;

  // Handlers. Setting one replaces the previous.
  void onClick(std::function<void()> handler) { click_ = std::move(handler); }
  void onChange(std::function<void()> handler) { change_ = std::move(handler); }
  void onSelect(std::function<void()> handler) { select_ = std::move(handler); }
  void onTick(std::function<void()> handler) { tick_ = std::move(handler); }
  void onMouseDown(std::function<void()> handler) { mouseDown_ = std::move(handler); }

 protected:
  // Backends deliver events through these.
  void fireClick() { Fire(click_); }
  void fireChange() { Fire(change_); }
  void fireSelect() { Fire(select_); }
  void fireTick() { Fire(tick_); }
  void fireMouseDown() { Fire(mouseDown_); }

 private:
  static void Fire(const std::function<void()>& handler) {
    if (handler) {
      auto keep = handler;  // the handler may replace itself
      keep();
    }
  }
  std::function<void()> click_, change_, select_, tick_, mouseDown_;
};

class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual const std::string& text() const = 0;
  virtual bool checked() const = 0;
  virtual void setChecked(bool checked) = 0;
  void onClick(std::function<void()> handler) { click_ = std::move(handler); }

 protected:
  void fireClick() {
    if (click_) {
      auto keep = click_;
      keep();
    }
  }

 private:
  std::function<void()> click_;
};

// The events of a window, implemented by each window's own logic.
class WindowHandlers {
 public:
  virtual ~WindowHandlers() = default;
  virtual void created() {}
  virtual void firstActivated() {}
  virtual void positionChanged() {}
  virtual void trayEvent(int /*kind*/) {}
  virtual bool canClose() { return true; }  // the user asked to close it
  virtual void destroying() {}
};

class Window {
 public:
  virtual ~Window() = default;
  virtual const WindowDesign& design() const = 0;

  // The control with this design name. Asking for a name the design does not
  // have is a programming error (std::out_of_range).
  virtual Control& control(std::string_view name) = 0;
  virtual MenuItem& menuItem(std::string_view text) = 0;

  virtual std::string caption() const = 0;
  virtual void setCaption(std::string_view caption) = 0;

  // Screen position of the window's outer top left corner, in design pixels.
  virtual int left() const = 0;
  virtual int top() const = 0;
  virtual void move(int left, int top) = 0;

  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  void enable() { setEnabled(true); }
  void disable() { setEnabled(false); }

  virtual bool visible() const = 0;
  virtual void show() = 0;
  virtual void hide() = 0;
  virtual bool minimised() const = 0;
  virtual void showNormal() = 0;  // shows the window in its normal state, restoring it
  virtual void focus() = 0;

  // The window's notification-area icon with the program icon and this tip
  // (cut to kTrayTipBytes GBK bytes). Added when the window has none,
  // otherwise its tip replaced; the system is told only when something changed.
  virtual void setTrayIcon(std::string_view tip) = 0;
  virtual void removeTrayIcon() = 0;
  // Shows the top-level menu with this text as a pop-up menu beside the
  // mouse pointer; returns when it has closed.
  virtual void popupTrayMenu(std::string_view menuText) = 0;

  // Queues the destruction of the window (contract 4).
  virtual void close() = 0;
  virtual bool closing() const = 0;

  WindowHandlers& handlers() { return *handlers_; }

 protected:
  std::unique_ptr<WindowHandlers> handlers_;
};

// Makes a window's logic once the window and its controls exist.
using HandlersFactory = std::function<std::unique_ptr<WindowHandlers>(Window&)>;

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Builds the window from its design, makes its logic, runs `created`, shows
  // it and returns at once (contract 8 for a window that is already open).
  // Returns nullptr when the window cannot be made.
  virtual Window* openWindow(const WindowDesign& design, const HandlersFactory& make) = 0;
  // The open window of this design that is not being closed, if any.
  virtual Window* findWindow(const WindowDesign& design) = 0;

  // A modal message box without owner, modal for all the program's windows.
  virtual MessageResult showMessage(std::string_view text, int style, std::string_view title) = 0;

  // The system's open-file dialog: the full path of the chosen file, or
  // nothing when cancelled. `filter` is pairs of description and pattern,
  // each ended by "|". The dialog hides its read-only box and starts on the
  // file chosen last time, for the program's lifetime.
  virtual std::optional<std::string> chooseOpenFile(std::string_view title,
                                                    std::string_view filter) = 0;

  // Ends the program at once with exit code 0 (contract 9).
  virtual void endProgram() = 0;

  // Runs the event loop until `main` has been destroyed (or endProgram) and
  // gives the exit code. The headless backend only takes note of the main
  // window and returns: its tests run the loop themselves.
  virtual int run(Window& main) = 0;
};

}  // namespace ui
