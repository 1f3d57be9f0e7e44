#include "ui/win32/Win32Internal.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "core/Text.h"
#include "ui/win32/WideText.h"

namespace ui::win32 {

namespace {
constexpr UINT kTrayIconId = 1;  // one icon per window
}  // namespace

bool TrayIcon::tell(DWORD what, HWND hwnd, HICON icon) {
  NOTIFYICONDATAW nid{};
  // The version 3 size (Windows XP and later): balloon icons are not used.
  nid.cbSize = NOTIFYICONDATAW_V3_SIZE;
  nid.hWnd = hwnd;
  nid.uID = kTrayIconId;
  if (what != NIM_DELETE) {
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    // Mouse actions on the icon come to the window as this message, with the
    // mouse message in lParam (no NIM_SETVERSION: the classic form, in which
    // the context-menu key also arrives as WM_RBUTTONUP).
    nid.uCallbackMessage = kTrayMessage;
    nid.hIcon = icon;
    const std::wstring tip = Widen(view_.tip);
    tip.copy(nid.szTip, std::min<std::size_t>(tip.size(), std::size(nid.szTip) - 1));
  }
  ++view_.systemWrites;
  return Shell_NotifyIconW(what, &nid) != FALSE;
}

void TrayIcon::set(HWND hwnd, HICON icon, std::string_view tip) {
  const std::string cut = core::CutToGbkBytes(tip, kTrayTipBytes);
  if (view_.present && view_.accepted && view_.tip == cut) return;  // nothing changed
  view_.tip = cut;
  view_.present = true;
  if (view_.accepted) {
    if (tell(NIM_MODIFY, hwnd, icon)) return;
    view_.accepted = false;  // the taskbar lost it: add it again
  }
  // A refused icon is not reported; the program runs on without it.
  view_.accepted = tell(NIM_ADD, hwnd, icon);
}

void TrayIcon::remove(HWND hwnd) {
  if (!view_.present) return;
  view_.present = false;
  if (view_.accepted && hwnd != nullptr) tell(NIM_DELETE, hwnd, nullptr);
  view_.accepted = false;
}

void TrayIcon::restore(HWND hwnd, HICON icon) {
  if (view_.present) view_.accepted = tell(NIM_ADD, hwnd, icon);
}

}  // namespace ui::win32
