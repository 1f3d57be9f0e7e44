// The in-memory toolkit backend for tests: windows and controls are state in
// memory, time is a virtual clock that moves only when a test advances it.
// A test plays the user (click, pick, type, menu items, tray, close box),
// answers message boxes, dialogs and pop-up menus through responders, and
// reads texts, states, tray tips and the records of what was shown.
//
// Impossible user actions (clicking a disabled or hidden control, using a
// disabled window, acting after the program ended) throw std::logic_error,
// so a test cannot pass by doing what a user could not.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Toolkit.h"

namespace ui::headless {

// Milliseconds of virtual time, shared by the toolkit and the fake clock.
class VirtualClock {
 public:
  std::int64_t now() const { return now_; }
  void set(std::int64_t now) { now_ = now; }

 private:
  std::int64_t now_ = 0;
};

struct MessageRecord {
  std::string text;
  int style = 0;
  std::string title;
};

struct FileDialogRecord {
  std::string title;
  std::string filter;
  std::string initialFile;  // the file chosen last time, or empty
};

struct TrayState {
  bool present = false;
  std::string tip;
  int systemWrites = 0;  // how often the system was told (add, change or delete)
};

class HeadlessWindow;
class HeadlessControl;

class HeadlessToolkit : public Toolkit {
 public:
  explicit HeadlessToolkit(VirtualClock& clock);
  ~HeadlessToolkit() override;

  // Toolkit
  Window* openWindow(const WindowDesign& design, const HandlersFactory& make) override;
  Window* findWindow(const WindowDesign& design) override;
  MessageResult showMessage(std::string_view text, int style, std::string_view title) override;
  std::optional<std::string> chooseOpenFile(std::string_view title,
                                            std::string_view filter) override;
  void endProgram() override;
  int run(Window& main) override;

  // What a user does. Each action runs its handlers and then the queued events.
  void click(Window& window, std::string_view control);
  void pick(Window& window, std::string_view control, int index);
  void pick(Window& window, std::string_view control, std::string_view itemText);
  void type(Window& window, std::string_view control, std::string_view text);
  void mouseDown(Window& window, std::string_view control);
  void chooseMenuItem(Window& window, std::string_view itemText);
  void trayEvent(Window& window, int kind);
  void minimise(Window& window);
  void pressCloseBox(Window& window);

  // Time. `advance` delivers the ticks due within the next `ms` at their due
  // moments; `stall` lets time pass while the event loop is busy, so that the
  // ticks that fell due come late, once each, at the next advance.
  void advance(std::int64_t ms);
  void stall(std::int64_t ms);
  void settle() { advance(0); }
  std::int64_t now() const { return clock_.now(); }

  // Answers to modal things. The default message answer is OK for boxes with
  // an OK button alone; any other box without a responder is a test error.
  std::function<MessageResult(const MessageRecord&)> messageResponder;
  std::function<std::optional<std::string>(const FileDialogRecord&)> fileResponder;
  // Returns the text of the chosen item, or empty for a click elsewhere.
  std::function<std::string(std::string_view menu)> popupResponder;

  // What was shown.
  std::vector<MessageRecord> messages;
  std::vector<FileDialogRecord> fileDialogs;
  std::vector<std::string> popups;
  bool ended() const { return ended_; }
  const TrayState& tray(const Window& window) const;
  // Open windows in the order they were opened.
  std::vector<Window*> openWindows() const;
  Window* activeWindow() const;
  // The screen size used to centre windows.
  int screenWidth = 1024;
  int screenHeight = 768;

 private:
  friend class HeadlessWindow;
  friend class HeadlessControl;

  HeadlessWindow& live(Window& window);
  // The control, when a user could reach it now (else std::logic_error).
  HeadlessControl& reachable(Window& window, std::string_view name, std::string_view action);
  void requireAlive() const;
  void queue(std::function<void()> event);
  void drainQueue();
  void destroy(HeadlessWindow& window);
  bool runNextDueTick(std::int64_t limit);
  void activate(HeadlessWindow& window);

  VirtualClock& clock_;
  std::vector<std::unique_ptr<HeadlessWindow>> windows_;    // open
  std::vector<std::unique_ptr<HeadlessWindow>> graveyard_;  // destroyed, kept so stale pointers stay valid
  std::deque<std::function<void()>> queue_;
  HeadlessWindow* active_ = nullptr;
  HeadlessWindow* main_ = nullptr;
  std::string lastFile_;
  bool ended_ = false;
  bool draining_ = false;
  std::uint64_t nextWindowSerial_ = 0;
};

// Test-side views of control state that the toolkit interface does not read back.
const std::vector<std::string>& CanvasCalls(Control& canvas);  // one line per drawing call
Font FontOf(const Control& control);
bool TextAllSelected(const Control& control);

}  // namespace ui::headless
