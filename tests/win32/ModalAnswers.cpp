#include "tests/win32/ModalAnswers.h"

#include "ui/win32/Win32Toolkit.h"

namespace testing_win32 {

namespace {

ModalAnswers* g_active = nullptr;  // the thread timer's procedure has no context argument

struct Search {
  const wchar_t* windowClass;
  HWND found;
};

// A real function, not a lambda: i686 needs the stdcall WNDENUMPROC.
BOOL CALLBACK MatchClass(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (IsWindowVisible(hwnd) && lstrcmpW(name, search->windowClass) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void PostKey(HWND hwnd, UINT key) {
  PostMessageW(hwnd, WM_KEYDOWN, key, 1);
  PostMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

HWND FindThreadWindow(const wchar_t* windowClass) {
  Search search{windowClass, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PumpFor(int ms, const std::function<bool(MSG&)>& preTranslate) {
  const std::int64_t end = ui::win32::Win32Toolkit::Now() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      if (preTranslate && preTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const std::int64_t left = end - ui::win32::Win32Toolkit::Now();
    if (left <= 0) return;
    // Sleeps until a message comes or the time is up.
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

std::wstring TextOf(HWND hwnd) {
  const LRESULT n = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const LRESULT got = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

ModalAnswers::ModalAnswers() { g_active = this; }

ModalAnswers::~ModalAnswers() {
  if (timer_) KillTimer(nullptr, timer_);
  if (g_active == this) g_active = nullptr;
}

void ModalAnswers::actOn(const wchar_t* windowClass, std::function<void(HWND)> act, int afterMs) {
  windowClass_ = windowClass;
  act_ = std::move(act);
  afterMs_ = afterMs;
  foundAt_ = -1;
  if (!timer_) timer_ = SetTimer(nullptr, 0, 5, Poll);  // a thread timer: no window needed
}

void ModalAnswers::answerMessage(int buttonId, int afterMs) {
  actOn(L"#32770", [buttonId](HWND box) {
    // As the button would: WM_COMMAND with its id to the box.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
  }, afterMs);
}

void ModalAnswers::chooseInPopup(const std::wstring& item, int afterMs) {
  actOn(L"#32768", [item](HWND menuWindow) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int k = 0; k < count; ++k) {
      wchar_t text[128] = {};
      GetMenuStringW(menu, static_cast<UINT>(k), text, 128, MF_BYPOSITION);
      if (item != text) continue;
      // Down k + 1 times from no selection, then Enter.
      for (int d = 0; d <= k; ++d) PostKey(menuWindow, VK_DOWN);
      PostKey(menuWindow, VK_RETURN);
      return;
    }
    PostKey(menuWindow, VK_ESCAPE);
  }, afterMs);
}

void CALLBACK ModalAnswers::Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (g_active) g_active->poll();
}

void ModalAnswers::poll() {
  if (!act_) return;
  HWND found = FindThreadWindow(windowClass_);
  if (!found) return;
  const std::int64_t now = ui::win32::Win32Toolkit::Now();
  if (foundAt_ < 0) foundAt_ = now;
  if (now - foundAt_ < afterMs_) return;
  auto act = std::move(act_);
  act_ = nullptr;
  act(found);
}

}  // namespace testing_win32
