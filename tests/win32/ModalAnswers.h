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

  // The next visible window of this thread with this class is handed to
  // `act` once it has been open `afterMs`.
  void actOn(const wchar_t* windowClass, std::function<void(HWND)> act, int afterMs);
  // The next message box (#32770) is closed with the button `id` (IDOK, IDYES, ...).
  void answerMessage(int buttonId, int afterMs);
  // The next pop-up menu (#32768) chooses the item with this text, with the
  // keyboard as a user could; Esc when it has no such item.
  void chooseInPopup(const std::wstring& item, int afterMs);
  // The next dialog box (#32770) of any kind.
  void actOnDialog(std::function<void(HWND dialog)> act, int afterMs) {
    actOn(L"#32770", std::move(act), afterMs);
  }

  bool pending() const { return act_ != nullptr; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
  void poll();

  const wchar_t* windowClass_ = L"";
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
