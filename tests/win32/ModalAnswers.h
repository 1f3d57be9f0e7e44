// Plays the user at modal things of this thread in tests: message boxes
// (#32770), pop-up menus (#32768) and the open-file dialog. A thread timer
// looks for them, since the modal loops that show them dispatch its ticks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace testing_win32 {

class ModalAnswers {
 public:
  ModalAnswers();
  ~ModalAnswers();
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // The next message box of this thread is closed with the button `id`
  // (IDOK, IDYES, ...) once it has been open `afterMs`.
  void answerMessage(int buttonId, int afterMs);
  // The next pop-up menu chooses the item with this text after `afterMs`,
  // with the keyboard, as a user could.
  void chooseInPopup(const std::wstring& item, int afterMs);
  // The next dialog box (of any kind) is handed to `act` after `afterMs`.
  void actOnDialog(std::function<void(HWND dialog)> act, int afterMs);

  bool pending() const { return what_ != What::None; }

 private:
  enum class What { None, Message, Popup, Dialog };
  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
  void poll();
  void arm(What what, int afterMs);

  What what_ = What::None;
  int button_ = 0;
  std::wstring item_;
  std::function<void(HWND)> act_;
  int afterMs_ = 0;
  std::int64_t foundAt_ = -1;
  UINT_PTR timer_ = 0;
};

// The visible top-level window of this thread with this class, if any.
HWND FindThreadWindow(const wchar_t* windowClass);
// Runs the message loop of this thread for `ms` milliseconds.
void PumpFor(int ms, const std::function<bool(MSG&)>& preTranslate = nullptr);
// Text of a window of this or another process, via WM_GETTEXT.
std::wstring TextOf(HWND hwnd);
// UTF-8 text for test output and comparisons.
std::string Utf8(const std::wstring& text);

}  // namespace testing_win32
