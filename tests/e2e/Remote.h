// Driving the real program from a second process through window messages:
// start it in a folder of its own, find its windows by caption and its
// controls by design name, click, pick, type, answer message boxes, read
// texts and states, read the power journal, take screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Design.h"

namespace e2e {

// Polls `done` every 20 ms for up to `timeoutMs`; true when it came true.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

// A copy of the program started from its own fresh folder, so that its
// journal.log starts empty.
class ProgramRun {
 public:
  ProgramRun(const std::wstring& exe, const std::wstring& folder);
  ~ProgramRun();  // a run still going is terminated
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD processId() const { return processId_; }
  // True when the program ended within the time; its exit code in `code`.
  bool waitForExit(int timeoutMs, DWORD* code);
  bool running();
  std::vector<std::string> journal() const;
  const std::wstring& folder() const { return folder_; }

  // A visible top-level window of the program with this caption.
  HWND findWindow(std::string_view caption);
  HWND waitForWindow(std::string_view caption, int timeoutMs);

 private:
  std::wstring folder_;
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// A window of the program, with controls found by their design names.
class RemoteWindow {
 public:
  RemoteWindow(HWND window, const ui::WindowDesign& design) : window_(window), design_(design) {}

  HWND handle() const { return window_; }
  HWND control(std::string_view name) const;  // throws when the control has no window
  bool exists(std::string_view name) const;
  std::string text(std::string_view name) const;
  bool enabled(std::string_view name) const;
  bool visible(std::string_view name) const;  // the control's own flag
  bool checked(std::string_view name) const;
  std::string caption() const;
  bool windowVisible() const;
  bool windowEnabled() const;

  // The user's actions. Clicks and picks are posted, so that a handler that
  // opens a modal box does not block the driver.
  void click(std::string_view name) const;
  void pick(std::string_view name, int index) const;
  void type(std::string_view name, std::string_view text) const;
  void menuCommand(std::string_view itemText) const;
  void minimise() const;

 private:
  HWND window_;
  const ui::WindowDesign& design_;
};

// A message box of the program.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string title;
  std::string text;
};
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, int timeoutMs);
void Answer(const MessageBoxSeen& box, int buttonId);  // IDOK, IDYES, IDNO

// Chooses `path` in the program's open-file dialog with this caption.
bool ChooseFileInDialog(DWORD processId, std::string_view caption, const std::wstring& path,
                        int timeoutMs);

// The whole screen as a 24-bit BMP file.
bool SaveScreenshot(const std::wstring& path);

}  // namespace e2e
